#pragma once
// Captions and message texts of the main window, defined once, in French: the
// texts' own language. Each is marked for translation; Tr() gives it in the
// language the program speaks (translations/quoddle_en.ts holds the English).
// A new text: QT_TRANSLATE_NOOP("quoddle::texts", "..."), shown through Tr(),
// then scripts/update-translations and its English in the catalogue.

#include <QCoreApplication>
#include <QString>

namespace quoddle::texts {

inline QString Tr(const char* text) { return QCoreApplication::translate("quoddle::texts", text); }

inline constexpr const char* kCaptionSuccess =
    QT_TRANSLATE_NOOP("quoddle::texts", "Quoddle - Commande executer avec succès !! ");
inline constexpr const char* kCaptionBadCommand =
    QT_TRANSLATE_NOOP("quoddle::texts", "Quoddle - Mauvaise Commande ou paramètre manquant !!");
inline constexpr const char* kCaptionRunError =
    QT_TRANSLATE_NOOP("quoddle::texts", "Quoddle - Une Erreur s'est produite lors de l'execution du programme !!");
inline constexpr const char* kCaptionApplied = QT_TRANSLATE_NOOP("quoddle::texts", "Quoddle - Commandes appliquées...");
// A run that went through but whose answer says the phone did not do it.
inline constexpr const char* kCaptionRefused =
    QT_TRANSLATE_NOOP("quoddle::texts", "Quoddle - Le téléphone a refusé la commande !!");

inline constexpr const char* kNoDeviceSelected = QT_TRANSLATE_NOOP("quoddle::texts", "aucun appareil selectionné");
inline constexpr const char* kInstallSuccess =
    QT_TRANSLATE_NOOP("quoddle::texts", "Application installé avec succès !");
inline constexpr const char* kInstallAlreadyThere =
    QT_TRANSLATE_NOOP("quoddle::texts", "L'Application est déjà présente sur le téléphone !");
inline constexpr const char* kInstallFailurePrefix = QT_TRANSLATE_NOOP("quoddle::texts", "ECHEC : ");
// Several package files: the panel's list, the batch's progress and outcome,
// and the files refused before anything is sent (%1, %2, %3: Qt's arguments).
inline constexpr const char* kPackageFilesFilter =
    QT_TRANSLATE_NOOP("quoddle::texts", "Applications Android (*.apk *.apks *.xapk)");
inline constexpr const char* kPanelOneFile = QT_TRANSLATE_NOOP("quoddle::texts", "Fichier : %1");
inline constexpr const char* kPanelFiles = QT_TRANSLATE_NOOP("quoddle::texts", "%1 fichiers : %2");
inline constexpr const char* kInstallProgress =
    QT_TRANSLATE_NOOP("quoddle::texts", "Quoddle - Installation %1 sur %2 : %3");
inline constexpr const char* kInstallBatchHeader = QT_TRANSLATE_NOOP("quoddle::texts", "Résultat des installations :");
inline constexpr const char* kInstallBatchLine = QT_TRANSLATE_NOOP("quoddle::texts", "%1 : %2");
inline constexpr const char* kBundleUnreadable =
    QT_TRANSLATE_NOOP("quoddle::texts", "%1 ne contient aucun fichier .apk lisible");
inline constexpr const char* kNothingSent = QT_TRANSLATE_NOOP("quoddle::texts", "Rien n'a été envoyé au téléphone :");
inline constexpr const char* kRefusedNotPackage =
    QT_TRANSLATE_NOOP("quoddle::texts", "%1 n'est pas un fichier d'application Android (.apk, .apks, .xapk)");
inline constexpr const char* kRefusedFolder =
    QT_TRANSLATE_NOOP("quoddle::texts", "%1 est un dossier, pas un fichier d'application");
inline constexpr const char* kRefusedMissing = QT_TRANSLATE_NOOP("quoddle::texts", "%1 n'existe plus");
inline constexpr const char* kRemovalResultPrefix = QT_TRANSLATE_NOOP("quoddle::texts", "Resultat : \r");
inline constexpr const char* kTrashResultPrefix = QT_TRANSLATE_NOOP("quoddle::texts", "Résultat de la commande : \r");
// Followed by what the phone answered.
inline constexpr const char* kRefusedPrefix =
    QT_TRANSLATE_NOOP("quoddle::texts", "Le téléphone n'a pas exécuté la commande : \r");
inline constexpr const char* kInstallLocationUnknown =
    QT_TRANSLATE_NOOP("quoddle::texts", "Impossible d'obtenir la configuration actuelle de la méthode de stockage "
                                        "des applications (êtes-vous bien sous Froyo 2.2 ?)");
inline constexpr const char* kServerStartFailed =
    QT_TRANSLATE_NOOP("quoddle::texts", "Le lancement du processus Adb.exe a échoué, le programme ne peut continuer.");

inline constexpr const char* kGridHeaderName = QT_TRANSLATE_NOOP("quoddle::texts", "Nom Prog");
inline constexpr const char* kGridHeaderApk = QT_TRANSLATE_NOOP("quoddle::texts", "APK");
inline constexpr const char* kGridHeaderPackage = QT_TRANSLATE_NOOP("quoddle::texts", "Nom Composant");

// The application pages: the context menu of a row, its questions and report.
inline constexpr const char* kMenuCopyPackage = QT_TRANSLATE_NOOP("quoddle::texts", "Copier le nom du paquet");
inline constexpr const char* kMenuRemove = QT_TRANSLATE_NOOP("quoddle::texts", "Désinstaller...");
inline constexpr const char* kMenuRemoveKeepData =
    QT_TRANSLATE_NOOP("quoddle::texts", "Désinstaller (garde les réglages)...");
inline constexpr const char* kMenuClearData = QT_TRANSLATE_NOOP("quoddle::texts", "Effacer les données...");
inline constexpr const char* kMenuDisable = QT_TRANSLATE_NOOP("quoddle::texts", "Désactiver pour l'utilisateur...");
inline constexpr const char* kMenuEnable = QT_TRANSLATE_NOOP("quoddle::texts", "Réactiver...");
inline constexpr const char* kMenuSortAscending = QT_TRANSLATE_NOOP("quoddle::texts", "Trier de A à Z");
inline constexpr const char* kMenuSortDescending = QT_TRANSLATE_NOOP("quoddle::texts", "Trier de Z à A");
inline constexpr const char* kMenuFilter = QT_TRANSLATE_NOOP("quoddle::texts", "Filtrer les applications...");
inline constexpr const char* kFilterPlaceholder =
    QT_TRANSLATE_NOOP("quoddle::texts", "Filtrer : nom ou paquet (Échap pour fermer)");
inline constexpr const char* kDisabledMark = QT_TRANSLATE_NOOP("quoddle::texts", "  (désactivée)");
// %1: the packages, one a line.
inline constexpr const char* kConfirmRemove =
    QT_TRANSLATE_NOOP("quoddle::texts",
                      "Désinstaller du téléphone :\n%1\n\nL'application et toutes ses données seront supprimées.");
inline constexpr const char* kConfirmRemoveKeepData =
    QT_TRANSLATE_NOOP("quoddle::texts",
                      "Désinstaller du téléphone en gardant les données :\n%1\n\nL'application sera supprimée ; ses données et "
                      "réglages resteront sur le téléphone pour une réinstallation.");
inline constexpr const char* kConfirmClearData =
    QT_TRANSLATE_NOOP("quoddle::texts",
                      "Effacer les données de :\n%1\n\nSes réglages, comptes, fichiers et caches sur le téléphone seront perdus ; "
                      "l'application reste installée.");
inline constexpr const char* kConfirmDisable =
    QT_TRANSLATE_NOOP("quoddle::texts",
                      "Désactiver pour l'utilisateur :\n%1\n\nL'application reste sur le téléphone mais ne peut plus être lancée "
                      "ni mise à jour, et disparaît des menus ; « Réactiver » la rend de nouveau utilisable.");
inline constexpr const char* kConfirmEnable =
    QT_TRANSLATE_NOOP("quoddle::texts",
                      "Réactiver :\n%1\n\nL'application pourra de nouveau être lancée et mise à jour.");
inline constexpr const char* kRowActionReport = QT_TRANSLATE_NOOP("quoddle::texts", "Réponse du téléphone :");
inline constexpr const char* kRowActionDone = QT_TRANSLATE_NOOP("quoddle::texts", "%1 : fait");
inline constexpr const char* kRowActionFailed = QT_TRANSLATE_NOOP("quoddle::texts", "%1 : ÉCHEC - %2");
inline constexpr const char* kRowActionNoAnswer = QT_TRANSLATE_NOOP("quoddle::texts", "le téléphone n'a rien répondu");
inline constexpr const char* kRowActionOtherPhone =
    QT_TRANSLATE_NOOP("quoddle::texts",
                      "Les listes montrent les applications d'un autre téléphone : actualisez-les d'abord, rien n'a été envoyé.");
inline constexpr const char* kRowActionNotListed =
    QT_TRANSLATE_NOOP("quoddle::texts", "%1 : plus dans la liste depuis l'actualisation, rien n'a été envoyé");

} // namespace quoddle::texts
