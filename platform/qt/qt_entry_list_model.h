#pragma once
// List1's entries for the toolkit's list view.

#include "platform/entry_store.h"
#include "platform/qt/qt_text.h"

#include <QAbstractListModel>

namespace tavlo {

// The rows of List1 for its view. Entries added while the system is busy reach the
// view in batches (see announce), so that a scan adding thousands of entries a second
// does not lay the list out anew for every one of them.
class EntryListModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    const EntryStore& store() const { return store_; }
    void append(std::string_view entry) { store_.append(entry); }

    /// Tells the view of the entries added since it last heard.
    void announce()
    {
        const long total = store_.size();
        if (total <= shown_)
            return;
        beginInsertRows({}, static_cast<int>(shown_), static_cast<int>(total - 1));
        shown_ = total;
        endInsertRows();
    }

    void remove(long index)
    {
        announce();
        beginRemoveRows({}, static_cast<int>(index), static_cast<int>(index));
        store_.remove(index);
        --shown_;
        endRemoveRows();
    }

    void clear()
    {
        beginResetModel();
        store_.clear();
        shown_ = 0;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : static_cast<int>(shown_); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= shown_ || role != Qt::DisplayRole)
            return {};
        return fromSystem(store_.at(index.row()));
    }

private:
    EntryStore store_;
    long shown_ = 0;  // the rows the view knows of
};

} // namespace tavlo
