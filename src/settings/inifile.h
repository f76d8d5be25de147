#pragma once

#include "settings/formwindow.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zelkora {

// One INI file reached through a current section, key and default text; the main window reads
// its layout file this way.
//
// The file is read on every call and rewritten by every write; the object caches nothing.
// Format: "[Section]" header lines, "key=value" lines and ";" comment lines. Section and key
// names match without regard to letter case and surrounding blanks; when a section or a key
// occurs more than once, only the first occurrence is read. Lines before the first header belong
// to no section. A value read has its surrounding blanks removed and one pair of matching
// surrounding quotes (" or ') stripped, as the Windows profile functions do.
// Files are read as UTF-8 (as Latin-1 when not valid UTF-8) and written as UTF-8. A write
// changes only the lines it must, keeps the file's own line ends (CR LF for a new file) and
// replaces the file atomically.
class cInifile {
public:
    // Read buffers of the profile functions: a value holds at most kValueBufferSize - 1
    // characters, a name list at most kListBufferSize - 2.
    static constexpr qsizetype kValueBufferSize = 1024;
    static constexpr qsizetype kListBufferSize = 32766;

    // The members; setting them never touches the file.
    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }
    const QString& Section() const { return m_section; }
    void setSection(const QString& section) { m_section = section; }
    const QString& Key() const { return m_key; }
    void setKey(const QString& key) { m_key = key; }
    const QString& Default() const { return m_default; }
    void setDefault(const QString& text) { m_default = text; }

    // Key `Key` of section `Section`, or `Default` when absent; at most 1023 characters.
    // Leaves LastReturnCode alone.
    QString Value() const;
    // Writes `text`, without its NUL characters, as the value of `Key` in `Section`, creating
    // both as needed (an empty text stores an empty value). Fails for a text holding a line
    // break and for names a file line cannot carry. Sets LastReturnCode.
    void setValue(const QString& text);

    // Removes `Key` from `Section` (an absent key is no failure). Sets LastReturnCode.
    void DeleteKey();
    // Removes `Section` with all its keys (every section of that name). Sets LastReturnCode.
    void DeleteSection();
    // Writes are never held back, so there is nothing to flush: always succeeds.
    void ForceFlush();

    // The key names of `Section` in file order, each followed by a NUL character; `Default`
    // when the section is absent or has no keys.
    QString INISection() const;
    // The section names of the file in file order, each followed by a NUL character.
    QString Sections() const;

    // Replaces `names` by the names of INISection() and `count` by their number; name i (counted
    // from 1) is names.at(i - 1).
    void EnumerateCurrentSection(QStringList& names, qint32& count) const;
    // The same for Sections().
    void EnumerateAllSections(QStringList& names, qint32& count) const;

    // `text` as a decimal number rounded to a 32-bit integer (halves to even); `fallback` when
    // the text is empty, not a number or out of range.
    static qint32 CLngDefault(const QString& text, qint32 fallback);

    // Writes the window's placement into `Section` ("Maximised", and unless maximised "Left",
    // "Top", "Width", "Height"); writes nothing for a minimised window. Keeps `Key`; any failure
    // sets LastReturnCode to 0.
    void SaveFormPosition(const FormWindow& window);
    // Places the window from the keys SaveFormPosition writes, at least minWidth x minHeight and
    // kept 4 pixels inside the screen; keeps `Key` and `Default`; any failure sets
    // LastReturnCode to 0.
    void LoadFormPosition(FormWindow& window, int minWidth, int minHeight);

    // Result of the last write-type operation: non-zero on success, 0 on failure.
    qint32 LastReturnCode() const { return m_lastReturnCode; }
    bool success() const { return m_lastReturnCode != 0; }

private:
    QString m_path;
    QString m_section;
    QString m_key;
    QString m_default;
    qint32 m_lastReturnCode = 0;
};

} // namespace zelkora
