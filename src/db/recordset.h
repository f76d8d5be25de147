#pragma once

#include "util/error.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace zelkora::db {

// A read-only result: the field names and a detached copy of the rows. It holds nothing of the
// database, so the caller may keep it as long as it likes. Nulls are plain null variants.
class RecordSet {
public:
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const QStringList& fieldNames() const { return m_fields; }
    QString fieldName(int field) const { return m_fields.value(field); }
    // The field of that name, letter case ignored; "Table.Field" also finds a field named
    // "Field" and "Field" one named "Table.Field". -1 when there is none.
    int indexOf(const QString& name) const;

    int rowCount() const;
    bool isEmpty() const { return rowCount() == 0; }
    // The value at (row, field); a null variant outside the set.
    QVariant value(int row, int field) const;
    QVariant value(int row, const QString& field) const { return value(row, indexOf(field)); }

    // Building a result: fields first, then whole rows of fieldCount() values.
    void setFieldNames(QStringList names);
    void appendRow(const QVariantList& row);
    void clear();

protected:
    QVariant& cell(int row, int field) { return m_values[row * m_fields.size() + field]; }

private:
    QStringList m_fields;
    QVariantList m_values; // row-major
};

// Where a result field was read from: table and column, empty for computed fields.
struct ColumnOrigin {
    QString table;
    QString column;
};

// An updatable result: a snapshot of the rows that the caller may change and write back with
// UpdateBatch. Changed rows are written in one transaction, each found by its table's key and
// only if it still holds the values it was read with (optimistic locking): a row another
// program changed in between fails the whole batch and nothing is written.
class UpdatableRecordSet : public RecordSet {
public:
    // Changes a value in memory; false for a row or field outside the set.
    bool setValue(int row, int field, const QVariant& value);
    bool setValue(int row, const QString& field, const QVariant& value) {
        return setValue(row, indexOf(field), value);
    }
    bool isModified() const;
    // Writes every changed row back; afterwards the set holds no pending changes.
    [[nodiscard]] StationError UpdateBatch();
    // Forgets the pending changes.
    void CancelBatch();

    // Set up by the data layer.
    void setSource(QString sql, QList<ColumnOrigin> origins);
    void snapshot();

private:
    QString m_sql;
    QList<ColumnOrigin> m_origins;
    RecordSet m_original;
};

} // namespace zelkora::db
