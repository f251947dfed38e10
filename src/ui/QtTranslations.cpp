#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace lorvanel {

bool installQtJapanese(QCoreApplication& app) {
    // One translator for the process: it must outlive every widget, and a second
    // application object in the same process (tests) finds it installed already.
    static QTranslator* translator = nullptr;
    if (translator) return true;
    auto loaded = std::make_unique<QTranslator>();
    // The program's texts are Japanese in every locale, so Qt's are too.
    if (!loaded->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(loaded.get()))
        return false;
    loaded->setParent(&app);
    translator = loaded.release();
    QObject::connect(&app, &QObject::destroyed, [] { translator = nullptr; });
    return true;
}

} // namespace lorvanel
