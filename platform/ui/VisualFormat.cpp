#include "ui/VisualFormat.h"

#include <cctype>
#include <optional>
#include <stdexcept>

#include "ui/LayoutConstraint.h"
#include "ui/View.h"

namespace ui {

namespace {

// One predicate: a relation and either a constant or another view.
struct Predicate {
    LayoutRelation relation = LayoutRelation::Equal;
    double constant = 0;
    View* view = nullptr;
};

class Parser {
  public:
    Parser(const std::string& format, unsigned long options,
           const std::map<std::string, double>& metrics,
           const std::map<std::string, rt::Ref<View>>& views)
        : _format(format), _metrics(metrics), _views(views), _options(options) {}

    std::vector<rt::Ref<LayoutConstraint>> parse() {
        readOrientation();
        bool leadingEdge = false;
        if (accept('|')) leadingEdge = true;
        std::optional<std::vector<Predicate>> pendingConnection;
        if (leadingEdge) pendingConnection = readConnection(true);
        View* previous = nullptr;
        while (peek() == '[') {
            View* view = readView();
            if (!previous && leadingEdge) relateToSuperviewStart(view, *pendingConnection);
            if (previous) relateSiblings(previous, view, *pendingConnection);
            previous = view;
            pendingConnection = readConnection(false);
            if (accept('|')) {
                if (pendingConnection->empty() && _lastConnectionWasStandard) {
                    pendingConnection = std::vector<Predicate>{
                        {LayoutRelation::Equal, VisualFormat::kStandardSuperviewSpacing, nullptr}};
                }
                relateToSuperviewEnd(view, *pendingConnection);
                pendingConnection.reset();
                break;
            }
        }
        if (!previous) fail("expected a view in brackets");
        if (_position != _format.size()) fail("unexpected text");
        return std::move(_constraints);
    }

  private:
    [[noreturn]] void fail(const std::string& reason) const {
        throw std::invalid_argument("visual format \"" + _format + "\": " + reason +
                                    " at position " + std::to_string(_position));
    }

    char peek() const { return _position < _format.size() ? _format[_position] : '\0'; }
    bool accept(char expected) {
        if (peek() != expected) return false;
        ++_position;
        return true;
    }
    void expect(char expected) {
        if (!accept(expected)) fail(std::string("expected '") + expected + "'");
    }

    void readOrientation() {
        if (_format.rfind("H:", 0) == 0 || _format.rfind("V:", 0) == 0) {
            _vertical = _format[0] == 'V';
            _position = 2;
        }
    }

    std::string readName() {
        const std::size_t start = _position;
        while (std::isalnum(static_cast<unsigned char>(peek())) || peek() == '_') ++_position;
        if (start == _position) fail("expected a name");
        return _format.substr(start, _position - start);
    }

    double readNumberOrMetric() {
        if (std::isalpha(static_cast<unsigned char>(peek())) || peek() == '_') {
            const std::string name = readName();
            auto metric = _metrics.find(name);
            if (metric == _metrics.end()) fail("unknown metric \"" + name + "\"");
            return metric->second;
        }
        const std::size_t start = _position;
        if (peek() == '-' || peek() == '+') ++_position;
        while (std::isdigit(static_cast<unsigned char>(peek())) || peek() == '.') ++_position;
        if (start == _position) fail("expected a number");
        try {
            return std::stod(_format.substr(start, _position - start));
        } catch (const std::exception&) {
            fail("bad number");
        }
    }

    Predicate readPredicate(bool allowViews) {
        Predicate predicate;
        if (_format.compare(_position, 2, "==") == 0) {
            _position += 2;
        } else if (_format.compare(_position, 2, ">=") == 0) {
            predicate.relation = LayoutRelation::GreaterThanOrEqual;
            _position += 2;
        } else if (_format.compare(_position, 2, "<=") == 0) {
            predicate.relation = LayoutRelation::LessThanOrEqual;
            _position += 2;
        }
        if (allowViews && (std::isalpha(static_cast<unsigned char>(peek())) || peek() == '_')) {
            const std::size_t start = _position;
            const std::string name = readName();
            if (auto view = _views.find(name); view != _views.end() && !_metrics.contains(name)) {
                predicate.view = view->second.get();
            } else {
                _position = start;
                predicate.constant = readNumberOrMetric();
            }
        } else {
            predicate.constant = readNumberOrMetric();
        }
        if (accept('@')) readNumberOrMetric();  // priorities: every constraint here is required
        return predicate;
    }

    std::vector<Predicate> readPredicateList(bool allowViews) {
        std::vector<Predicate> predicates;
        expect('(');
        do {
            predicates.push_back(readPredicate(allowViews));
        } while (accept(','));
        expect(')');
        return predicates;
    }

    // "-N-", "-(>=N)-", "-" (standard) or nothing (adjacent). Answers the spacing predicates.
    std::vector<Predicate> readConnection(bool fromSuperview) {
        _lastConnectionWasStandard = false;
        if (!accept('-')) return {{LayoutRelation::Equal, 0, nullptr}};
        if (peek() == '[' || peek() == '|') {
            _lastConnectionWasStandard = true;
            if (peek() == '|') return {};  // resolved by the caller to the superview spacing
            return {{LayoutRelation::Equal,
                     fromSuperview ? VisualFormat::kStandardSuperviewSpacing
                                   : VisualFormat::kStandardSpacing,
                     nullptr}};
        }
        std::vector<Predicate> predicates =
            peek() == '(' ? readPredicateList(false) : std::vector<Predicate>{readPredicate(false)};
        expect('-');
        return predicates;
    }

    View* readView() {
        expect('[');
        const std::string name = readName();
        auto found = _views.find(name);
        if (found == _views.end() || !found->second) fail("no view named \"" + name + "\"");
        View* view = found->second.get();
        if (peek() == '(') {
            for (const Predicate& predicate : readPredicateList(true)) relateSize(view, predicate);
        }
        expect(']');
        return view;
    }

    LayoutAttribute startAttribute() const {
        if (_vertical) return LayoutAttribute::Top;
        switch (_options & VisualFormat::kDirectionMask) {
            case VisualFormat::kDirectionLeftToRight:
                return LayoutAttribute::Left;
            case VisualFormat::kDirectionRightToLeft:
                return LayoutAttribute::Right;
            default:
                return LayoutAttribute::Leading;
        }
    }
    LayoutAttribute endAttribute() const {
        if (_vertical) return LayoutAttribute::Bottom;
        switch (_options & VisualFormat::kDirectionMask) {
            case VisualFormat::kDirectionLeftToRight:
                return LayoutAttribute::Right;
            case VisualFormat::kDirectionRightToLeft:
                return LayoutAttribute::Left;
            default:
                return LayoutAttribute::Trailing;
        }
    }
    LayoutAttribute sizeAttribute() const {
        return _vertical ? LayoutAttribute::Height : LayoutAttribute::Width;
    }

    View* superviewOf(View* view) {
        rt::Ref<View> parent = view->superview();
        if (!parent) fail("'|' next to a view that has no superview");
        return parent.get();
    }

    void add(View* first, LayoutAttribute firstAttribute, LayoutRelation relation, View* second,
             LayoutAttribute secondAttribute, double constant) {
        _constraints.push_back(LayoutConstraint::constraintWithItem(
            first, firstAttribute, relation, second, secondAttribute, 1.0, constant));
    }

    void relateSize(View* view, const Predicate& predicate) {
        if (predicate.view) {
            add(view, sizeAttribute(), predicate.relation, predicate.view, sizeAttribute(), 0);
        } else {
            add(view, sizeAttribute(), predicate.relation, nullptr, LayoutAttribute::NotAnAttribute,
                predicate.constant);
        }
    }

    // view.start = superview.start + spacing
    void relateToSuperviewStart(View* view, const std::vector<Predicate>& spacing) {
        View* parent = superviewOf(view);
        for (const Predicate& p : spacing)
            add(view, startAttribute(), p.relation, parent, startAttribute(), p.constant);
    }

    // superview.end = view.end + spacing
    void relateToSuperviewEnd(View* view, const std::vector<Predicate>& spacing) {
        View* parent = superviewOf(view);
        for (const Predicate& p : spacing)
            add(parent, endAttribute(), p.relation, view, endAttribute(), p.constant);
    }

    // next.start = previous.end + spacing
    void relateSiblings(View* previous, View* next, const std::vector<Predicate>& spacing) {
        for (const Predicate& p : spacing)
            add(next, startAttribute(), p.relation, previous, endAttribute(), p.constant);
    }

    const std::string& _format;
    const std::map<std::string, double>& _metrics;
    const std::map<std::string, rt::Ref<View>>& _views;
    unsigned long _options;
    std::size_t _position = 0;
    bool _vertical = false;
    bool _lastConnectionWasStandard = false;
    std::vector<rt::Ref<LayoutConstraint>> _constraints;
};

}  // namespace

std::vector<rt::Ref<LayoutConstraint>> VisualFormat::parse(
    const std::string& format, unsigned long options, const std::map<std::string, double>& metrics,
    const std::map<std::string, rt::Ref<View>>& views) {
    return Parser(format, options, metrics, views).parse();
}

}  // namespace ui
