#include "platform/widgets/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace sorban::platform {

QTranslator* installQtTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    // The program's own texts are Japanese whatever the locale, so Qt's are too.
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace sorban::platform
