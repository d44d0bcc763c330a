#pragma once
// Captions and message texts of the main window, defined once.

namespace quoddle::texts {

inline constexpr const char* kCaptionSuccess = "Quoddle - Commande executer avec succès !! ";
inline constexpr const char* kCaptionBadCommand = "Quoddle - Mauvaise Commande ou paramètre manquant !!";
inline constexpr const char* kCaptionRunError = "Quoddle - Une Erreur s'est produite lors de l'execution du programme !!";
inline constexpr const char* kCaptionApplied = "Quoddle - Commandes appliquées...";
// A run that went through but whose answer says the phone did not do it.
inline constexpr const char* kCaptionRefused = "Quoddle - Le téléphone a refusé la commande !!";

inline constexpr const char* kNoDeviceSelected = "aucun appareil selectionné";
inline constexpr const char* kInstallSuccess = "Application installé avec succès !";
inline constexpr const char* kInstallAlreadyThere = "L'Application est déjà présente sur le téléphone !";
inline constexpr const char* kInstallFailurePrefix = "ECHEC : ";
// Several package files: the panel's list, the batch's progress and outcome,
// and the files refused before anything is sent (%1, %2, %3: Qt's arguments).
inline constexpr const char* kPackageFilesFilter = "Applications Android (*.apk *.apks *.xapk)";
inline constexpr const char* kPanelOneFile = "Fichier : %1";
inline constexpr const char* kPanelFiles = "%1 fichiers : %2";
inline constexpr const char* kInstallProgress = "Quoddle - Installation %1 sur %2 : %3";
inline constexpr const char* kInstallBatchHeader = "Résultat des installations :";
inline constexpr const char* kInstallBatchLine = "%1 : %2";
inline constexpr const char* kBundleUnreadable = "%1 ne contient aucun fichier .apk lisible";
inline constexpr const char* kNothingSent = "Rien n'a été envoyé au téléphone :";
inline constexpr const char* kRefusedNotPackage = "%1 n'est pas un fichier d'application Android (.apk, .apks, .xapk)";
inline constexpr const char* kRefusedFolder = "%1 est un dossier, pas un fichier d'application";
inline constexpr const char* kRefusedMissing = "%1 n'existe plus";
inline constexpr const char* kRemovalResultPrefix = "Resultat : \r";
inline constexpr const char* kTrashResultPrefix = "Résultat de la commande : \r";
// Followed by what the phone answered.
inline constexpr const char* kRefusedPrefix = "Le téléphone n'a pas exécuté la commande : \r";
inline constexpr const char* kInstallLocationUnknown =
    "Impossible d'obtenir la configuration actuelle de la méthode de stockage des applications (êtes-vous bien "
    "sous Froyo 2.2 ?)";
inline constexpr const char* kServerStartFailed =
    "Le lancement du processus Adb.exe a échoué, le programme ne peut continuer.";

inline constexpr const char* kGridHeaderName = "Nom Prog";
inline constexpr const char* kGridHeaderApk = "APK";
inline constexpr const char* kGridHeaderPackage = "Nom Composant";

// The application pages: the context menu of a row, its questions and report.
inline constexpr const char* kMenuCopyPackage = "Copier le nom du paquet";
inline constexpr const char* kMenuRemove = "Désinstaller...";
inline constexpr const char* kMenuRemoveKeepData = "Désinstaller (garde les réglages)...";
inline constexpr const char* kMenuClearData = "Effacer les données...";
inline constexpr const char* kMenuDisable = "Désactiver pour l'utilisateur...";
inline constexpr const char* kMenuEnable = "Réactiver...";
inline constexpr const char* kMenuSortAscending = "Trier de A à Z";
inline constexpr const char* kMenuSortDescending = "Trier de Z à A";
inline constexpr const char* kMenuFilter = "Filtrer les applications...";
inline constexpr const char* kFilterPlaceholder = "Filtrer : nom ou paquet (Échap pour fermer)";
inline constexpr const char* kDisabledMark = "  (désactivée)";
// %1: the packages, one a line.
inline constexpr const char* kConfirmRemove =
    "Désinstaller du téléphone :\n%1\n\nL'application et toutes ses données seront supprimées.";
inline constexpr const char* kConfirmRemoveKeepData =
    "Désinstaller du téléphone en gardant les données :\n%1\n\nL'application sera supprimée ; ses données et "
    "réglages resteront sur le téléphone pour une réinstallation.";
inline constexpr const char* kConfirmClearData =
    "Effacer les données de :\n%1\n\nSes réglages, comptes, fichiers et caches sur le téléphone seront perdus ; "
    "l'application reste installée.";
inline constexpr const char* kConfirmDisable =
    "Désactiver pour l'utilisateur :\n%1\n\nL'application reste sur le téléphone mais ne peut plus être lancée "
    "ni mise à jour, et disparaît des menus ; « Réactiver » la rend de nouveau utilisable.";
inline constexpr const char* kConfirmEnable =
    "Réactiver :\n%1\n\nL'application pourra de nouveau être lancée et mise à jour.";
inline constexpr const char* kRowActionReport = "Réponse du téléphone :";
inline constexpr const char* kRowActionDone = "%1 : fait";
inline constexpr const char* kRowActionFailed = "%1 : ÉCHEC - %2";
inline constexpr const char* kRowActionNoAnswer = "le téléphone n'a rien répondu";
inline constexpr const char* kRowActionOtherPhone =
    "Les listes montrent les applications d'un autre téléphone : actualisez-les d'abord, rien n'a été envoyé.";
inline constexpr const char* kRowActionNotListed = "%1 : plus dans la liste depuis l'actualisation, rien n'a été envoyé";

} // namespace quoddle::texts
