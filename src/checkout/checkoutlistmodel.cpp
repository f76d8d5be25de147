#include "checkout/checkoutlistmodel.h"

#include "db/accessdatabase.h"
#include "db/parameter.h"
#include "util/clock.h"

namespace zelkora {

namespace {

// The headings when no read has named the fields yet.
QStringList defaultHeadings() {
    return {QStringLiteral("ID"),       QStringLiteral("Badge Name"), QStringLiteral("Name"),
            QStringLiteral("Check In"), QStringLiteral("Info1"),      QStringLiteral("Info2")};
}

} // namespace

CheckoutListModel::CheckoutListModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_headings(defaultHeadings()) {}

StationError CheckoutListModel::readPage(QList<QVariantList>* rows, bool* more) const {
    std::optional<CheckoutKey> after;
    if (!m_rows.isEmpty()) {
        const QVariantList& last = m_rows.constLast();
        after = CheckoutKey{last.value(m_query.sort().field), last.value(kCheckoutId)};
    }
    // One row beyond the page tells whether there is more, without a count of the whole list.
    const int wanted = kPageRows + 1;
    const StationError error =
        db::RunSQLForEach(m_query.pageSql(after, wanted), m_query.pageValues(after, wanted), wanted,
                          [rows](const db::RecordSet& slice) {
                              for (int r = 0; r < slice.rowCount(); ++r) {
                                  QVariantList row;
                                  for (int f = 0; f < kCheckoutFieldCount; ++f)
                                      row << slice.value(r, f);
                                  rows->append(row);
                              }
                              return true;
                          });
    *more = rows->size() > kPageRows;
    if (*more)
        rows->removeLast();
    return error;
}

StationError CheckoutListModel::setQuery(const CheckoutQuery& query) {
    beginResetModel();
    m_query = query;
    m_rows.clear();
    m_more = false;
    QList<QVariantList> rows;
    bool more = false;
    StationError error = readPage(&rows, &more);
    if (!error.isError()) {
        m_rows = std::move(rows);
        m_more = more;
    }
    endResetModel();
    return error;
}

int CheckoutListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CheckoutListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kCheckoutFieldCount;
}

QVariant CheckoutListModel::value(int row, CheckoutField field) const {
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows.at(row).value(field);
}

QVariant CheckoutListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= kCheckoutFieldCount)
        return {};
    const QVariant stored = m_rows.at(index.row()).value(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        if (index.column() == kCheckoutCheckIn) {
            const QDateTime when = db::DateFromStored(stored);
            return when.isValid() ? generalDate(when) : stored.toString();
        }
        return stored.isNull() ? QString() : stored.toString();
    case Qt::TextAlignmentRole:
        if (index.column() == kCheckoutId)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CheckoutListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return m_headings.value(section);
    return section + 1; // the grid's fixed first column counts the visits from 1
}

bool CheckoutListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_more;
}

void CheckoutListModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !m_more)
        return;
    QList<QVariantList> rows;
    bool more = false;
    const StationError error = readPage(&rows, &more);
    m_more = !error.isError() && more;
    if (!rows.isEmpty()) {
        const int first = static_cast<int>(m_rows.size());
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        m_rows.append(rows);
        endInsertRows();
    }
    if (error.isError())
        Q_EMIT readFailed(error);
}

} // namespace zelkora
