#include "settings/inifile.h"

#include "util/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <limits>

namespace zelkora {
namespace {

// A layout file is a few kilobytes; anything beyond this is not one, and reading it whole on
// every call would stall the station.
constexpr qint64 kMaxFileSize = 64LL * 1024 * 1024;

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// The profile functions also treat Ctrl-Z, the old end-of-file mark, as a blank.
bool isBlank(QChar c) {
    return c.isSpace() || c == QChar(0x1A);
}

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin);
}

QString trimTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    return text.left(end);
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What a caller's buffer of `bufferSize` characters receives: the text cut to one less.
QString cutToBuffer(QString text, qsizetype bufferSize) {
    qsizetype limit = bufferSize - 1;
    if (text.size() > limit) {
        // Never leave half of a surrogate pair behind.
        if (limit > 0 && text.at(limit - 1).isHighSurrogate())
            --limit;
        text.truncate(limit);
    }
    return text;
}

// Names each followed by a NUL; a list that does not fit is cut to the buffer size - 2, which
// drops the last, partial name from any split at NULs.
QString nameList(const QStringList& names) {
    QString list;
    for (const QString& name : names) {
        list += name;
        list += QChar(0);
    }
    if (list.size() + 1 > cInifile::kListBufferSize)
        list.truncate(cInifile::kListBufferSize - 2);
    return list;
}

// Splits a name list at NULs; text after the last NUL is ignored.
void splitNameList(const QString& list, QStringList& names, qint32& count) {
    names.clear();
    count = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype nul = list.indexOf(QChar(0), start);
        if (nul < 0)
            break;
        names.append(list.mid(start, nul - start));
        ++count;
        start = nul + 1;
    }
}

enum class LineKind { Other, Blank, Comment, Section, Key };

// One line of the file, kept exactly as read so that a write can put it back unchanged.
struct Line {
    QString text; // without its line end
    QString end;  // "\r\n", "\n", "\r", or empty for a last line without one
    LineKind kind = LineKind::Other;
    QString name;             // section or key name, without surrounding blanks
    qsizetype valueStart = 0; // key lines: index just past the "="
};

Line classify(QString text, QString end) {
    Line line;
    line.text = std::move(text);
    line.end = std::move(end);
    const QStringView content = trimBlanks(line.text);
    if (content.isEmpty()) {
        line.kind = LineKind::Blank;
    } else if (content.front() == QLatin1Char(';')) {
        line.kind = LineKind::Comment;
    } else if (content.front() == QLatin1Char('[')) {
        // The header ends at the last "]"; a "[" line without one is no header.
        const qsizetype close = content.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = LineKind::Section;
            line.name = trimBlanks(content.sliced(1, close - 1)).toString();
        }
    } else {
        const qsizetype equals = line.text.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            const QStringView name = trimBlanks(QStringView(line.text).first(equals));
            if (!name.isEmpty()) {
                line.kind = LineKind::Key;
                line.name = name.toString();
                line.valueStart = equals + 1;
            }
        }
    }
    return line;
}

// The value text of a key line as the profile functions return it.
QString valueOf(const Line& line) {
    QStringView value = QStringView(line.text).sliced(line.valueStart);
    // A NUL ends the text, as it ends a C string.
    const qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0)
        value = value.first(nul);
    value = trimBlanks(value);
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

// A name the caller can address and an enumeration can list.
bool listable(const QString& name) {
    return !name.isEmpty() && !name.contains(QChar(0));
}

enum class LoadStatus { Loaded, Missing, Unreadable };

// The whole file as lines.
struct Profile {
    QList<Line> lines;
    bool bom = false;
    QString newline = QStringLiteral("\r\n"); // line end for new lines: the file's first

    LoadStatus load(const QString& path);
    bool save(const QString& path) const;

    // Index of the first header of a section at or after `from`, or -1.
    qsizetype findSection(QStringView name, qsizetype from = 0) const;
    // One past the last line of the section whose header is at `header`.
    qsizetype sectionEnd(qsizetype header) const;
    // The last line of the section that is neither blank nor a comment (the header when there
    // is none): blank and comment lines before the next header belong to that header.
    qsizetype bodyEnd(qsizetype header, qsizetype end) const;
    // Index of the first key line of that name in [from, end), or -1.
    qsizetype findKey(QStringView name, qsizetype from, qsizetype end) const;

    // Inserts a new line before index `at`, ending the line before it if that had no line end.
    void insertLine(qsizetype at, const QString& text);

private:
    void parse(const QString& text);
};

LoadStatus Profile::load(const QString& path) {
    if (path.isEmpty())
        return LoadStatus::Unreadable;
    const QFileInfo info(path);
    if (!info.exists())
        return LoadStatus::Missing;
    // Only regular files: a FIFO or a device would block or never end.
    if (!info.isFile() || info.size() > kMaxFileSize)
        return LoadStatus::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadStatus::Unreadable;
    QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize)
        return LoadStatus::Unreadable;
    bom = bytes.startsWith(kUtf8Bom);
    if (bom)
        bytes.remove(0, kUtf8Bom.size());
    parse(decodeText(bytes));
    return LoadStatus::Loaded;
}

void Profile::parse(const QString& text) {
    bool newlineSeen = false;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        const qsizetype endLength =
            (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
        lines.append(classify(text.mid(start, i - start), text.mid(i, endLength)));
        if (!newlineSeen) {
            newline = lines.last().end;
            newlineSeen = true;
        }
        i += endLength - 1;
        start = i + 1;
    }
    if (start < size)
        lines.append(classify(text.mid(start), QString()));
}

bool Profile::save(const QString& path) const {
    QString text;
    for (const Line& line : lines) {
        text += line.text;
        text += line.end;
    }
    QByteArray bytes = text.toUtf8();
    if (bom)
        bytes.prepend(kUtf8Bom);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

qsizetype Profile::findSection(QStringView name, qsizetype from) const {
    for (qsizetype i = from; i < lines.size(); ++i) {
        if (lines.at(i).kind == LineKind::Section && sameName(lines.at(i).name, name))
            return i;
    }
    return -1;
}

qsizetype Profile::sectionEnd(qsizetype header) const {
    qsizetype i = header + 1;
    while (i < lines.size() && lines.at(i).kind != LineKind::Section)
        ++i;
    return i;
}

qsizetype Profile::bodyEnd(qsizetype header, qsizetype end) const {
    for (qsizetype i = end - 1; i > header; --i) {
        const LineKind kind = lines.at(i).kind;
        if (kind != LineKind::Blank && kind != LineKind::Comment)
            return i;
    }
    return header;
}

qsizetype Profile::findKey(QStringView name, qsizetype from, qsizetype end) const {
    for (qsizetype i = from; i < end; ++i) {
        if (lines.at(i).kind == LineKind::Key && sameName(lines.at(i).name, name))
            return i;
    }
    return -1;
}

void Profile::insertLine(qsizetype at, const QString& text) {
    if (at > 0 && lines.at(at - 1).end.isEmpty())
        lines[at - 1].end = newline;
    lines.insert(at, classify(text, newline));
}

bool hasLineBreakOrNul(QStringView text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
           text.contains(QChar(0));
}

// A section name a header line can carry and read back.
bool writableSectionName(QStringView name) {
    return !name.isEmpty() && !hasLineBreakOrNul(name);
}

// A key name a key line can carry: no "=", and not read as a header or a comment.
bool writableKeyName(QStringView name) {
    return !name.isEmpty() && !hasLineBreakOrNul(name) && !name.contains(QLatin1Char('=')) &&
           name.front() != QLatin1Char('[') && name.front() != QLatin1Char(';');
}

// The profile operations the class is built on.

QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& fallback) {
    const QString fallbackText =
        cutToBuffer(trimTrailingBlanks(fallback), cInifile::kValueBufferSize);
    const QStringView sectionName = trimBlanks(section);
    const QStringView keyName = trimBlanks(key);
    if (sectionName.isEmpty() || keyName.isEmpty())
        return fallbackText;
    Profile profile;
    if (profile.load(path) != LoadStatus::Loaded)
        return fallbackText;
    const qsizetype header = profile.findSection(sectionName);
    if (header < 0)
        return fallbackText;
    const qsizetype line = profile.findKey(keyName, header + 1, profile.sectionEnd(header));
    if (line < 0)
        return fallbackText;
    return cutToBuffer(valueOf(profile.lines.at(line)), cInifile::kValueBufferSize);
}

QStringList keyNames(const QString& path, const QString& section) {
    QStringList names;
    const QStringView sectionName = trimBlanks(section);
    Profile profile;
    if (sectionName.isEmpty() || profile.load(path) != LoadStatus::Loaded)
        return names;
    const qsizetype header = profile.findSection(sectionName);
    if (header < 0)
        return names;
    // A repeated key is listed once: reads only ever reach its first occurrence.
    QSet<QString> seen;
    const qsizetype end = profile.sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& line = profile.lines.at(i);
        if (line.kind == LineKind::Key && listable(line.name)) {
            const QString folded = line.name.toCaseFolded();
            if (!seen.contains(folded)) {
                seen.insert(folded);
                names.append(line.name);
            }
        }
    }
    return names;
}

QStringList sectionNames(const QString& path) {
    QStringList names;
    Profile profile;
    if (profile.load(path) != LoadStatus::Loaded)
        return names;
    QSet<QString> seen;
    for (const Line& line : std::as_const(profile.lines)) {
        if (line.kind == LineKind::Section && listable(line.name)) {
            const QString folded = line.name.toCaseFolded();
            if (!seen.contains(folded)) {
                seen.insert(folded);
                names.append(line.name);
            }
        }
    }
    return names;
}

bool writeString(const QString& path, const QString& section, const QString& key,
                 const QString& text) {
    const QString sectionName = trimBlanks(section).toString();
    const QString keyName = trimBlanks(key).toString();
    // A line break would end the line early and let the rest be read as other keys or sections.
    if (!writableSectionName(sectionName) || !writableKeyName(keyName) || hasLineBreakOrNul(text))
        return false;
    Profile profile;
    if (profile.load(path) == LoadStatus::Unreadable)
        return false;
    const qsizetype header = profile.findSection(sectionName);
    if (header >= 0) {
        const qsizetype end = profile.sectionEnd(header);
        const qsizetype found = profile.findKey(keyName, header + 1, end);
        if (found >= 0) {
            // Keep the key's own spelling and spacing up to the value.
            Line& line = profile.lines[found];
            qsizetype valueStart = line.valueStart;
            while (valueStart < line.text.size() && isBlank(line.text.at(valueStart)))
                ++valueStart;
            const QString replaced = line.text.left(valueStart) + text;
            if (replaced == line.text)
                return true;
            line.text = replaced;
        } else {
            profile.insertLine(profile.bodyEnd(header, end) + 1, keyName + QLatin1Char('=') + text);
        }
    } else {
        if (!profile.lines.isEmpty() && profile.lines.last().kind != LineKind::Blank)
            profile.insertLine(profile.lines.size(), QString());
        profile.insertLine(profile.lines.size(), QLatin1Char('[') + sectionName + QLatin1Char(']'));
        profile.insertLine(profile.lines.size(), keyName + QLatin1Char('=') + text);
    }
    return profile.save(path);
}

bool removeKey(const QString& path, const QString& section, const QString& key) {
    const QStringView sectionName = trimBlanks(section);
    const QStringView keyName = trimBlanks(key);
    if (sectionName.isEmpty() || keyName.isEmpty())
        return true; // names nothing, so nothing to remove
    Profile profile;
    const LoadStatus status = profile.load(path);
    if (status != LoadStatus::Loaded)
        return status == LoadStatus::Missing;
    // Every occurrence goes, so that no later one surfaces on the next read.
    QList<Line> kept;
    kept.reserve(profile.lines.size());
    bool inSection = false;
    for (Line& line : profile.lines) {
        if (line.kind == LineKind::Section)
            inSection = sameName(line.name, sectionName);
        else if (inSection && line.kind == LineKind::Key && sameName(line.name, keyName))
            continue;
        kept.append(std::move(line));
    }
    if (kept.size() == profile.lines.size())
        return true;
    profile.lines = std::move(kept);
    return profile.save(path);
}

bool removeSection(const QString& path, const QString& section) {
    const QStringView sectionName = trimBlanks(section);
    if (sectionName.isEmpty())
        return true;
    Profile profile;
    const LoadStatus status = profile.load(path);
    if (status != LoadStatus::Loaded)
        return status == LoadStatus::Missing;
    QList<bool> drop(profile.lines.size(), false);
    bool changed = false;
    for (qsizetype header = profile.findSection(sectionName); header >= 0;
         header = profile.findSection(sectionName, header + 1)) {
        const qsizetype end = profile.sectionEnd(header);
        qsizetype last = profile.bodyEnd(header, end);
        // The blank lines that closed the section go with it; comments introducing the next
        // section stay.
        while (last + 1 < end && profile.lines.at(last + 1).kind == LineKind::Blank)
            ++last;
        std::fill(drop.begin() + header, drop.begin() + last + 1, true);
        changed = true;
    }
    if (!changed)
        return true;
    QList<Line> kept;
    kept.reserve(profile.lines.size());
    for (qsizetype i = 0; i < profile.lines.size(); ++i) {
        if (!drop.at(i))
            kept.append(std::move(profile.lines[i]));
    }
    profile.lines = std::move(kept);
    return profile.save(path);
}

// Keeps a span (position and size along one axis) inside the screen, `margin` from each edge.
void clampToScreen(qint64& position, qint64& size, qint64 screen, qint64 margin) {
    if (position < margin)
        position = margin;
    if (position + size > screen - margin) {
        position = screen - margin - size;
        if (position < margin)
            position = margin;
        if (position + size > screen - margin)
            size = screen - position - margin;
    }
}

constexpr qint32 kSuccess = 1;

} // namespace

QString cInifile::Value() const {
    return readString(m_path, m_section, m_key, m_default);
}

void cInifile::setValue(const QString& text) {
    QString clean = text;
    clean.remove(QChar(0));
    m_lastReturnCode = writeString(m_path, m_section, m_key, clean) ? kSuccess : 0;
}

void cInifile::DeleteKey() {
    m_lastReturnCode = removeKey(m_path, m_section, m_key) ? kSuccess : 0;
}

void cInifile::DeleteSection() {
    m_lastReturnCode = removeSection(m_path, m_section) ? kSuccess : 0;
}

void cInifile::ForceFlush() {
    m_lastReturnCode = kSuccess;
}

QString cInifile::INISection() const {
    const QStringList names = keyNames(m_path, m_section);
    if (names.isEmpty())
        return cutToBuffer(trimTrailingBlanks(m_default), kListBufferSize);
    return nameList(names);
}

QString cInifile::Sections() const {
    return nameList(sectionNames(m_path));
}

void cInifile::EnumerateCurrentSection(QStringList& names, qint32& count) const {
    splitNameList(INISection(), names, count);
}

void cInifile::EnumerateAllSections(QStringList& names, qint32& count) const {
    splitNameList(Sections(), names, count);
}

qint32 cInifile::CLngDefault(const QString& text, qint32 fallback) {
    // Parsed exactly from its digits, so that rounding never suffers from binary fractions.
    const QStringView number = trimBlanks(text);
    const qsizetype size = number.size();
    const auto isDigit = [&](qsizetype i) {
        return i < size && number.at(i) >= QLatin1Char('0') && number.at(i) <= QLatin1Char('9');
    };
    qsizetype i = 0;
    bool negative = false;
    if (i < size && (number.at(i) == QLatin1Char('+') || number.at(i) == QLatin1Char('-'))) {
        negative = number.at(i) == QLatin1Char('-');
        ++i;
    }
    QString digits;
    qint64 point = 0; // digits before the decimal point
    for (; isDigit(i); ++i, ++point)
        digits += number.at(i);
    if (i < size && number.at(i) == QLatin1Char('.')) {
        for (++i; isDigit(i); ++i)
            digits += number.at(i);
    }
    if (digits.isEmpty())
        return fallback;
    if (i < size && (number.at(i) == QLatin1Char('e') || number.at(i) == QLatin1Char('E'))) {
        ++i;
        bool exponentNegative = false;
        if (i < size && (number.at(i) == QLatin1Char('+') || number.at(i) == QLatin1Char('-'))) {
            exponentNegative = number.at(i) == QLatin1Char('-');
            ++i;
        }
        if (!isDigit(i))
            return fallback;
        qint64 exponent = 0;
        for (; isDigit(i); ++i) {
            // Any exponent this large already puts the number out of range (or at zero).
            if (exponent < 1000000)
                exponent = exponent * 10 + (number.at(i).unicode() - '0');
        }
        point += exponentNegative ? -exponent : exponent;
    }
    if (i != size)
        return fallback;

    qsizetype leading = 0;
    while (leading < digits.size() && digits.at(leading) == QLatin1Char('0'))
        ++leading;
    digits.remove(0, leading);
    point -= leading;
    if (digits.isEmpty())
        return 0;
    if (point > 10) // ten digits or more before the point, the first non-zero: beyond 32 bits
        return fallback;

    const auto digitAt = [&](qint64 k) {
        return k >= 0 && k < digits.size() ? digits.at(k).unicode() - '0' : 0;
    };
    qint64 whole = 0;
    for (qint64 k = 0; k < point; ++k)
        whole = whole * 10 + digitAt(k);
    // Compare the fraction with one half: -1 below, 0 exactly, 1 above.
    int half = -1;
    if (point >= 0 && point < digits.size()) {
        const int first = digitAt(point);
        if (first > 5) {
            half = 1;
        } else if (first == 5) {
            half = 0;
            for (qint64 k = point + 1; k < digits.size(); ++k) {
                if (digitAt(k) != 0) {
                    half = 1;
                    break;
                }
            }
        }
    }
    if (half > 0 || (half == 0 && whole % 2 != 0))
        ++whole;
    if (negative)
        whole = -whole;
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        return fallback;
    return static_cast<qint32>(whole);
}

void cInifile::SaveFormPosition(const FormWindow& window) {
    const QString savedKey = m_key;
    try {
        const FormWindow::WindowState state = window.windowState();
        if (state != FormWindow::WindowState::Minimised) {
            bool allWritten = true;
            const auto write = [&](const char* key, const QString& text) {
                m_key = QString::fromLatin1(key);
                setValue(text);
                allWritten = allWritten && success();
            };
            const bool maximised = state == FormWindow::WindowState::Maximised;
            write("Maximised", maximised ? QStringLiteral("1") : QStringLiteral("0"));
            if (!maximised) {
                write("Left", QString::number(window.left()));
                write("Top", QString::number(window.top()));
                write("Width", QString::number(window.width()));
                write("Height", QString::number(window.height()));
            }
            // One failed key makes the whole placement a failure, not just the last write's.
            m_lastReturnCode = allWritten ? kSuccess : 0;
        }
    } catch (...) {
        m_lastReturnCode = 0;
    }
    m_key = savedKey;
}

void cInifile::LoadFormPosition(FormWindow& window, int minWidth, int minHeight) {
    const QString savedKey = m_key;
    const QString savedDefault = m_default;
    try {
        // An absent key reads as "FAIL", which converts to the window's current value.
        m_default = QStringLiteral("FAIL");
        const auto read = [&](const char* key, qint32 fallback) -> qint64 {
            m_key = QString::fromLatin1(key);
            return CLngDefault(Value(), fallback);
        };
        // 64-bit arithmetic: stored values may be anywhere in the 32-bit range.
        qint64 left = read("Left", window.left());
        qint64 top = read("Top", window.top());
        qint64 width = std::max<qint64>(read("Width", window.width()), minWidth);
        qint64 height = std::max<qint64>(read("Height", window.height()), minHeight);

        clampToScreen(left, width, window.screenWidth(), 4LL * window.twipsPerPixelX());
        clampToScreen(top, height, window.screenHeight(), 4LL * window.twipsPerPixelY());

        // A screen too small for the minimum size leaves the window where it is; so does one
        // too small for any size at all.
        if (width >= minWidth && height >= minHeight && width > 0 && height > 0)
            window.move(static_cast<int>(left), static_cast<int>(top), static_cast<int>(width),
                        static_cast<int>(height));

        if (read("Maximised", 0) != 0)
            window.maximise();
    } catch (...) {
        m_lastReturnCode = 0;
    }
    m_key = savedKey;
    m_default = savedDefault;
}

} // namespace zelkora
