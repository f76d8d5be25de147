#include "db/recordset.h"

namespace zelkora::db {

int RecordSet::indexOf(const QString& name) const {
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    // "Table.Field" against "Field", and "Field" against "Table.Field".
    const auto afterDot = [](const QString& text) {
        const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
        return dot < 0 ? text : text.mid(dot + 1);
    };
    const QString wanted = afterDot(name);
    for (int i = 0; i < m_fields.size(); ++i) {
        if (afterDot(m_fields.at(i)).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int RecordSet::rowCount() const {
    return m_fields.isEmpty() ? 0 : static_cast<int>(m_values.size() / m_fields.size());
}

QVariant RecordSet::value(int row, int field) const {
    if (row < 0 || field < 0 || row >= rowCount() || field >= fieldCount())
        return {};
    return m_values.at(row * m_fields.size() + field);
}

void RecordSet::setFieldNames(QStringList names) {
    m_fields = std::move(names);
    m_values.clear();
}

void RecordSet::appendRow(const QVariantList& row) {
    for (qsizetype i = 0; i < m_fields.size(); ++i)
        m_values.append(i < row.size() ? row.at(i) : QVariant());
}

void RecordSet::clear() {
    m_fields.clear();
    m_values.clear();
}

bool UpdatableRecordSet::setValue(int row, int field, const QVariant& value) {
    if (row < 0 || field < 0 || row >= rowCount() || field >= fieldCount())
        return false;
    cell(row, field) = value.isNull() ? QVariant() : value;
    return true;
}

bool UpdatableRecordSet::isModified() const {
    for (int r = 0; r < rowCount(); ++r) {
        for (int f = 0; f < fieldCount(); ++f) {
            const QVariant now = value(r, f);
            const QVariant then = m_original.value(r, f);
            if (now.isNull() != then.isNull() || (!now.isNull() && now != then))
                return true;
        }
    }
    return false;
}

void UpdatableRecordSet::CancelBatch() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int f = 0; f < fieldCount(); ++f)
            cell(r, f) = m_original.value(r, f);
    }
}

void UpdatableRecordSet::setSource(QString sql, QList<ColumnOrigin> origins) {
    m_sql = std::move(sql);
    m_origins = std::move(origins);
}

void UpdatableRecordSet::snapshot() {
    m_original = static_cast<const RecordSet&>(*this);
}

} // namespace zelkora::db
