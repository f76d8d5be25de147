#include "checkin/label/labelfonts.h"

#include <QFont>
#include <QStringList>

namespace zelkora::label {

namespace {

void substitute(const QString& family, const QStringList& faces) {
    if (QFont::substitutes(family).isEmpty())
        QFont::insertSubstitutions(family, faces);
}

} // namespace

void InstallLabelFontSubstitutes() {
    substitute(QStringLiteral("Arial Black"),
               {QStringLiteral("Lato Black"), QStringLiteral("Inter Black"),
                QStringLiteral("Liberation Sans")});
    substitute(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

} // namespace zelkora::label
