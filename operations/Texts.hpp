#pragma once
// Captions and message texts of the main window, defined once.

namespace quoddle::texts {

inline constexpr const char* kCaptionSuccess = "Quoddle - Commande executer avec succès !! ";
inline constexpr const char* kCaptionBadCommand = "Quoddle - Mauvaise Commande ou paramètre manquant !!";
inline constexpr const char* kCaptionRunError = "Quoddle - Une Erreur s'est produite lors de l'execution du programme !!";
inline constexpr const char* kCaptionApplied = "Quoddle - Commandes appliquées...";

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
inline constexpr const char* kInstallLocationUnknown =
    "Impossible d'obtenir la configuration actuelle de la méthode de stockage des applications (êtes-vous bien "
    "sous Froyo 2.2 ?)";
inline constexpr const char* kServerStartFailed =
    "Le lancement du processus Adb.exe a échoué, le programme ne peut continuer.";

inline constexpr const char* kGridHeaderName = "Nom Prog";
inline constexpr const char* kGridHeaderApk = "APK";
inline constexpr const char* kGridHeaderPackage = "Nom Composant";

} // namespace quoddle::texts
