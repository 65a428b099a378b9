#pragma once
// Qt's own texts (file dialogs, edit menus, standard buttons) in Polish: Qt's translations as Debian's
// qt6-translations-l10n installs them.

class QCoreApplication;
class QTranslator;

namespace platform {

// Loads Qt's Polish translations into App; the translator installed (App owns it), or nullptr when they
// are not installed (Qt then speaks English).
QTranslator *installQtTranslations(QCoreApplication &App);

} // namespace platform
