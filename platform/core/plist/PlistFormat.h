#pragma once

namespace core {

// The two file forms of a property list: XML (what an app's writeToFile:atomically: writes)
// and "bplist00" binary (what the system preference store writes).
enum class PlistFormat { Xml, Binary };

}  // namespace core
