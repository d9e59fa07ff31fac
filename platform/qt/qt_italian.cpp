#include "platform/qt/qt_italian.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace tavlo {

void speakItalian(QCoreApplication& app)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    auto* translator = new QTranslator(&app);  // lives as long as the application
    if (translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

void setItalianButtons(QMessageBox& box, bool yesNo)
{
    if (!yesNo) {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        return;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    // The mnemonics: a message box answers a button's letter pressed alone.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&S\u00EC"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
}

} // namespace tavlo
