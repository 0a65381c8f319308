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

class ReportListModel final : public QAbstractTableModel, private query::ReportRowsObserver {
  public:
    ReportListModel(std::vector<ColumnDescription> columns, std::vector<QIcon> icons,
                    QObject* parent = nullptr);

    /// The rows the engine writes and reads; the model shows them.
    query::ReportRows& rows() { return rows_; }
    const query::ReportRows& rows() const { return rows_; }

    /// Tells the view about every row appended so far.
    void publish();

    // QAbstractTableModel: what the view sees.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    // ReportRowsObserver: the row changes the view must hear of.
    void rowsAboutToBeCleared() override;
    void rowsCleared() override;
    void rowAppended(std::size_t row) override;
    void cellChanged(std::size_t row, int column) override;
    void iconsChanged(std::size_t row) override;

    query::ReportRows rows_;
    std::vector<ColumnDescription> columns_;
    std::vector<QIcon> icons_;
    std::size_t published_ = 0;
    QTimer publishTimer_;
};

}  // namespace yc::ui
