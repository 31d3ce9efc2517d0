#pragma once

#include <string>
#include <vector>

#include "ui/IndexPath.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/TableViewCell.h"

namespace ui {

// "UITableViewStyle" values.
enum class TableViewStyle : long { Plain = 0, Grouped = 1, InsetGrouped = 2 };

// A scrolling list of rows in sections ("UITableView"). What it shows comes from its data
// source and its delegate (both held weakly), asked through the runtime with the device's
// selectors: "numberOfSectionsInTableView:" (one section when not answered),
// "tableView:numberOfRowsInSection:", "tableView:cellForRowAtIndexPath:",
// "tableView:heightForHeaderInSection:" (delegate), "tableView:titleForHeaderInSection:" and
// "tableView:titleForFooterInSection:" (data source, optional). reloadData asks again and
// lays the rows out from the top: the table header view, then each section's header, rows
// and footer text.
class TableView : public ScrollView {
  public:
    static constexpr const char* kClassName = "UITableView";
    // The header height of a section whose delegate does not say, with and without a title.
    static constexpr double kTitledHeaderHeight = 38;
    static constexpr double kPlainHeaderHeight = 18;

    TableView();
    TableView(const Rect& frame, TableViewStyle style);  // "initWithFrame:style:"

    TableViewStyle style() const { return _style; }
    rt::Ref<rt::Object> dataSource() const { return _dataSource.lock(); }
    void setDataSource(rt::Object* dataSource) { _dataSource = rt::Weak<rt::Object>(dataSource); }

    const rt::Ref<View>& tableHeaderView() const { return _tableHeaderView; }
    void setTableHeaderView(rt::Ref<View> view);
    const rt::Ref<Color>& separatorColor() const { return _separatorColor; }
    void setSeparatorColor(rt::Ref<Color> color) { _separatorColor = std::move(color); }

    void reloadData();
    long numberOfSections() const { return static_cast<long>(_sections.size()); }
    long numberOfRowsInSection(long section) const;
    // The cell shown at the index path, or null when there is none.
    rt::Ref<TableViewCell> cellForRowAtIndexPath(const IndexPath* indexPath) const;
    // The header height the delegate answered for a shown section (0 for others).
    double headerHeightForSection(long section) const;
    const std::string& footerTitleForSection(long section) const;
    // The frame of a row in the table's content (zero for a row that is not shown).
    Rect rectForRowAtIndexPath(const IndexPath* indexPath) const;
    // Selects a row as a tap does: tells the delegate "tableView:didSelectRowAtIndexPath:".
    void selectRowAtIndexPath(const IndexPath* indexPath);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    struct Section {
        double headerHeight = 0;
        rt::Ref<Label> headerLabel;
        std::vector<rt::Ref<TableViewCell>> cells;
        std::string footerTitle;
        rt::Ref<Label> footerLabel;
    };

    long askSectionCount() const;
    Section askSection(long section) const;
    void layOut();
    void removeShownViews();

    TableViewStyle _style = TableViewStyle::Grouped;
    rt::Weak<rt::Object> _dataSource;
    rt::Ref<View> _tableHeaderView;
    rt::Ref<Color> _separatorColor;
    std::vector<Section> _sections;
};

}  // namespace ui
