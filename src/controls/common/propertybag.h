#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QList>
#include <QPalette>
#include <QString>
#include <QVariant>

namespace zelkora::controls {

// The host's store of a control's design-time properties: names with values, in the order
// they were written. A control reads each property with its default and writes only values
// that differ from their defaults, so a bag holds what the designer changed.
class PropertyBag {
public:
    QVariant read(const QString& name, const QVariant& fallback) const {
        for (const auto& [key, value] : m_entries) {
            if (key == name)
                return value;
        }
        return fallback;
    }

    // Writes `value` unless it equals `fallback`; a later write of the same name replaces it.
    void write(const QString& name, const QVariant& value, const QVariant& fallback) {
        remove(name);
        if (value != fallback)
            m_entries.append({name, value});
    }

    bool contains(const QString& name) const {
        for (const auto& entry : m_entries) {
            if (entry.first == name)
                return true;
        }
        return false;
    }

    // Names in write order.
    QStringList names() const {
        QStringList result;
        for (const auto& entry : m_entries)
            result.append(entry.first);
        return result;
    }

    void clear() { m_entries.clear(); }

private:
    void remove(const QString& name) {
        m_entries.removeIf([&](const auto& entry) { return entry.first == name; });
    }

    QList<std::pair<QString, QVariant>> m_entries;
};

// An error a control raises to its host, such as 382 for a design-time-only property set at
// run time.
struct ControlError {
    int number = 0;
    QString description;
};

// Colours as the hosts store them: 32-bit values whose high bit marks a system colour.
// &H80000005 is the window background, &H80000008 the window text, and so on; plain values
// are &HBBGGRR.
inline QColor colorFromOle(quint32 value) {
    if (value & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (value & 0xFFu) {
        case 5:
            return palette.color(QPalette::Base); // window background
        case 8:
            return palette.color(QPalette::Text); // window text
        case 13:
            return palette.color(QPalette::Highlight);
        case 14:
            return palette.color(QPalette::HighlightedText);
        case 15:
            return palette.color(QPalette::Button); // button face
        case 18:
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

inline quint32 oleFromColor(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

} // namespace zelkora::controls
