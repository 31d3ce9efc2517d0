#pragma once

#include <gtest/gtest.h>

#include <string>

#include "rt/rt.h"

// Every runtime test starts in a fresh world, so classes, methods and hooks never leak
// from one test into another.
class RuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override { rt::resetWorld(); }
};

// Host-like classes used across the runtime tests.
struct Counter : rt::Object {
    static constexpr const char* kClassName = "Counter";
    long long _count = 0;
    double _level = 0;
    rt::Ref<rt::Object> _label;
};

struct SpecialCounter : Counter {
    static constexpr const char* kClassName = "SpecialCounter";
    std::string _title = "special";
};

// Counts its destructions into a caller-owned integer.
struct Tracked : rt::Object {
    static constexpr const char* kClassName = "Tracked";
    explicit Tracked(int& destroyed) : _destroyed(destroyed) {}
    ~Tracked() override { ++_destroyed; }
    int& _destroyed;
};

inline Counter& asCounter(rt::Object* self) {
    return static_cast<Counter&>(*self);
}
