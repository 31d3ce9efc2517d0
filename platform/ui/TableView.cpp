#include "ui/TableView.h"

#include <algorithm>
#include <cmath>

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/Font.h"

namespace ui {

namespace {

constexpr double kFooterLineHeight = 18;
constexpr double kFooterPadding = 16;
constexpr double kFooterCharactersPerLine = 48;

// Section headers and footers: small grey text, as on the phone.
constexpr double kSectionTextSize = 13;

rt::Ref<Label> sectionLabel(const std::string& text) {
    auto label = rt::make<Label>();
    label->setText(text);
    label->setFont(Font::systemFontOfSize(kSectionTextSize));
    label->setTextColor(Color::colorWithRed(0.43, 0.43, 0.45, 1));
    return label;
}

double footerHeight(const std::string& title) {
    if (title.empty()) return 0;
    const double lines = std::ceil(static_cast<double>(title.size()) / kFooterCharactersPerLine);
    return lines * kFooterLineHeight + kFooterPadding;
}

template <class R, class... Args>
R askIfAnswered(const rt::Ref<rt::Object>& receiver, const char* selector, R fallback,
                Args&&... args) {
    const rt::Selector selectorValue = rt::sel(selector);
    if (!receiver || !rt::respondsToSelector(receiver, selectorValue)) return fallback;
    return rt::send<R>(receiver, selectorValue, std::forward<Args>(args)...);
}

}  // namespace

TableView::TableView() : TableView(Rect(0, 0, 320, 480), TableViewStyle::Grouped) {}

TableView::TableView(const Rect& frame, TableViewStyle style) : ScrollView(frame), _style(style) {}

void TableView::setTableHeaderView(rt::Ref<View> view) {
    if (_tableHeaderView) _tableHeaderView->removeFromSuperview();
    _tableHeaderView = std::move(view);
    if (_tableHeaderView) addSubview(_tableHeaderView.get());
    layOut();
}

void TableView::reloadData() {
    removeShownViews();
    _sections.clear();
    const long count = askSectionCount();
    for (long section = 0; section < count; ++section) _sections.push_back(askSection(section));
    layOut();
}

long TableView::askSectionCount() const {
    return static_cast<long>(std::max(
        0LL, askIfAnswered<long long>(dataSource(), "numberOfSectionsInTableView:", 1LL, this)));
}

TableView::Section TableView::askSection(long section) const {
    Section shown;
    const auto source = dataSource();
    const auto listener = delegate();
    const auto index = static_cast<long long>(section);
    const std::string headerTitle = askIfAnswered<std::string>(
        source, "tableView:titleForHeaderInSection:", std::string(), this, index);
    shown.headerHeight = askIfAnswered<double>(
        listener, "tableView:heightForHeaderInSection:",
        headerTitle.empty() ? kPlainHeaderHeight : kTitledHeaderHeight, this, index);
    if (!headerTitle.empty()) {
        shown.headerLabel = sectionLabel(headerTitle);
    }
    shown.footerTitle = askIfAnswered<std::string>(
        source, "tableView:titleForFooterInSection:", std::string(), this, index);
    if (!shown.footerTitle.empty()) {
        shown.footerLabel = sectionLabel(shown.footerTitle);
        shown.footerLabel->setNumberOfLines(0);
    }
    const long long rows =
        askIfAnswered<long long>(source, "tableView:numberOfRowsInSection:", 0LL, this, index);
    for (long long row = 0; row < rows; ++row) {
        const auto indexPath = IndexPath::indexPathForRow(static_cast<long>(row), section);
        auto cell = rt::cast<TableViewCell>(askIfAnswered<rt::Ref<rt::Object>>(
            source, "tableView:cellForRowAtIndexPath:", rt::Ref<rt::Object>(), this, indexPath));
        shown.cells.push_back(std::move(cell));
    }
    return shown;
}

void TableView::removeShownViews() {
    for (const auto& section : _sections) {
        if (section.headerLabel) section.headerLabel->removeFromSuperview();
        if (section.footerLabel) section.footerLabel->removeFromSuperview();
        for (const auto& cell : section.cells)
            if (cell) cell->removeFromSuperview();
    }
}

void TableView::layOut() {
    const double width = bounds().width();
    double y = 0;
    if (_tableHeaderView) {
        const Rect header = _tableHeaderView->frame();
        _tableHeaderView->setFrame(Rect(0, 0, width, header.height()));
        y = header.height();
    }
    for (auto& section : _sections) {
        if (section.headerLabel) {
            addSubview(section.headerLabel.get());
            section.headerLabel->setFrame(
                Rect(16, y, width - 32, std::max(0.0, section.headerHeight)));
        }
        y += std::max(0.0, section.headerHeight);
        for (const auto& cell : section.cells) {
            if (!cell) continue;
            addSubview(cell.get());
            cell->setFrame(Rect(0, y, width, TableViewCell::kDefaultHeight));
            cell->layoutContent();
            y += TableViewCell::kDefaultHeight;
        }
        if (section.footerLabel) {
            const double height = footerHeight(section.footerTitle);
            addSubview(section.footerLabel.get());
            section.footerLabel->setFrame(Rect(16, y, width - 32, height));
            y += height;
        }
    }
    setContentSize(Size{width, y});
}

long TableView::numberOfRowsInSection(long section) const {
    if (section < 0 || section >= numberOfSections()) return 0;
    return static_cast<long>(_sections[static_cast<std::size_t>(section)].cells.size());
}

rt::Ref<TableViewCell> TableView::cellForRowAtIndexPath(const IndexPath* indexPath) const {
    if (!indexPath || indexPath->row() < 0 ||
        indexPath->row() >= numberOfRowsInSection(indexPath->section()))
        return {};
    return _sections[static_cast<std::size_t>(indexPath->section())]
        .cells[static_cast<std::size_t>(indexPath->row())];
}

double TableView::headerHeightForSection(long section) const {
    if (section < 0 || section >= numberOfSections()) return 0;
    return _sections[static_cast<std::size_t>(section)].headerHeight;
}

const std::string& TableView::footerTitleForSection(long section) const {
    static const std::string none;
    if (section < 0 || section >= numberOfSections()) return none;
    return _sections[static_cast<std::size_t>(section)].footerTitle;
}

Rect TableView::rectForRowAtIndexPath(const IndexPath* indexPath) const {
    const auto cell = cellForRowAtIndexPath(indexPath);
    return cell ? cell->frame() : Rect();
}

void TableView::selectRowAtIndexPath(const IndexPath* indexPath) {
    const auto listener = delegate();
    const rt::Selector didSelect = rt::sel("tableView:didSelectRowAtIndexPath:");
    if (listener && rt::respondsToSelector(listener, didSelect))
        rt::send<void>(listener, didSelect, this, indexPath);
}

void TableView::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&TableView::reloadData>("reloadData"),
                            rt::bind<&TableView::cellForRowAtIndexPath>("cellForRowAtIndexPath:"),
                            rt::bind<&TableView::tableHeaderView>("tableHeaderView"),
                            rt::bind<&TableView::setTableHeaderView>("setTableHeaderView:"),
                        });
}

}  // namespace ui
