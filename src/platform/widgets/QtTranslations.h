#pragma once

class QCoreApplication;
class QTranslator;

namespace sorban::platform {

/// Loads Qt's own Japanese catalogue (qtbase_ja, from Qt's translations folder) into `app`, so that
/// the dialogs Qt draws itself (print, file, progress, standard buttons) speak Japanese as every
/// window of the program does. The catalogue, owned by `app`; null when it is not installed: those
/// dialogs then stay in English and nothing else changes.
QTranslator* installQtTranslations(QCoreApplication& app);

} // namespace sorban::platform
