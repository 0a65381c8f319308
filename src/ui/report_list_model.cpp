// The report list's model: the rows it observes, published to the view in coalesced steps.
#include "ui/report_list_model.h"

#include "ui/gbk_qt.h"

namespace yc::ui {
namespace {
constexpr int kPublishIntervalMs = 50;
}

ReportListModel::ReportListModel(std::vector<ColumnDescription> columns, std::vector<QIcon> icons,
                                 QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)), icons_(std::move(icons)) {
    publishTimer_.setSingleShot(true);
    publishTimer_.setInterval(kPublishIntervalMs);
    QObject::connect(&publishTimer_, &QTimer::timeout, this, [this] { publish(); });
    rows_.setObserver(this);
}

void ReportListModel::rowsAboutToBeCleared() {
    beginResetModel();
}

void ReportListModel::rowsCleared() {
    published_ = 0;
    endResetModel();
}

void ReportListModel::rowAppended(std::size_t /*row*/) {
    if (!publishTimer_.isActive()) {
        publishTimer_.start();
    }
}

void ReportListModel::cellChanged(std::size_t row, int column) {
    if (row < published_) {
        const QModelIndex changed = index(static_cast<int>(row), column);
        emit dataChanged(changed, changed);
    }
}

void ReportListModel::iconsChanged(std::size_t row) {
    if (row < published_) {
        const QModelIndex changed = index(static_cast<int>(row), 0);
        emit dataChanged(changed, changed, {Qt::DecorationRole});
    }
}

void ReportListModel::publish() {
    publishTimer_.stop();
    const std::size_t total = rows_.count();
    if (total == published_) {
        return;
    }
    beginInsertRows({}, static_cast<int>(published_), static_cast<int>(total - 1));
    published_ = total;
    endInsertRows();
}

int ReportListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(published_);
}

int ReportListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= published_) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole) {
        return toQString(rows_.cell(row, index.column()));
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        const int icon = rows_.iconIndex(row);
        if (icon >= 0 && static_cast<std::size_t>(icon) < icons_.size()) {
            return icons_[static_cast<std::size_t>(icon)];
        }
    }
    return {};
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        static_cast<std::size_t>(section) < columns_.size()) {
        return toQString(columns_[static_cast<std::size_t>(section)].title);
    }
    return {};
}

}  // namespace yc::ui
