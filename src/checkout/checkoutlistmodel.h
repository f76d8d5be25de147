#pragma once

#include "checkout/checkoutlist.h"
#include "util/error.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariantList>

namespace zelkora {

// The open visits of the check-out window's query as a table: the query's six fields with its
// column names as headings. Rows are read forward-only a page at a time: the first page when
// the query is set, the next ones when a view asks for more (fetchMore), so a long list shows its
// first screenful at once and only what has been looked at is in memory.
class CheckoutListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPageRows = 200;

    explicit CheckoutListModel(QObject* parent = nullptr);

    // Runs `query` afresh and reads its first page; the error of that read is returned (the
    // model is then empty).
    [[nodiscard]] StationError setQuery(const CheckoutQuery& query);
    const CheckoutQuery& query() const { return m_query; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    // Reads the next page; a failure ends the reading and is reported through readFailed.
    void fetchMore(const QModelIndex& parent = {}) override;

    // The stored value of `field` in `row` (the check-in time as stored text); null outside.
    QVariant value(int row, CheckoutField field) const;

Q_SIGNALS:
    // A page after the first could not be read; the rows read so far stay.
    void readFailed(const StationError& error);

private:
    StationError readPage(QList<QVariantList>* rows, bool* more) const;

    CheckoutQuery m_query;
    QStringList m_headings;
    QList<QVariantList> m_rows;
    bool m_more = false;
};

} // namespace zelkora
