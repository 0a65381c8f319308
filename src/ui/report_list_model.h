// The report list's model. Rows land in compact storage at once, so every reader (the run's
// caption, export) sees them all; the view is told about new rows in coalesced steps, because
// telling it row by row makes each event pump re-lay out the whole view.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QTimer>
#include <vector>

#include "query/report_rows.h"
#include "ui/window_description.h"

namespace yc::ui {

class ReportListModel final : public QAbstractTableModel, public query::ReportRows {
  public:
    ReportListModel(std::vector<ColumnDescription> columns, std::vector<QIcon> icons,
                    QObject* parent = nullptr);

    // ReportRows: what the engine writes and reads.
    void clear() override;
    void append(std::string_view name, std::string_view state, int iconIndex,
                int stateImageIndex) override;
    void setCell(std::size_t row, int column, std::string_view text) override;
    void setIcons(std::size_t row, int iconIndex, int stateImageIndex) override;
    std::size_t count() const override { return store_.count(); }
    std::string_view cell(std::size_t row, int column) const override;
    int iconIndex(std::size_t row) const override { return store_.iconIndex(row); }
    int stateImageIndex(std::size_t row) const override { return store_.stateImageIndex(row); }

    /// Tells the view about every row appended so far.
    void publish();

    // QAbstractTableModel: what the view sees.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    query::ReportRowStore store_;
    std::vector<ColumnDescription> columns_;
    std::vector<QIcon> icons_;
    std::size_t published_ = 0;
    QTimer publishTimer_;
};

}  // namespace yc::ui
