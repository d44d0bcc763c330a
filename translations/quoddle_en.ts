<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr_FR">
<context>
    <name>quoddle::CoreErrors</name>
    <message>
        <source>Un appel à une fonction du système d&apos;exploitation a échoué</source>
        <translation>A call to an operating system function failed</translation>
    </message>
    <message>
        <source>Erreur système.  Code : </source>
        <translation>System error.  Code: </translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier </source>
        <translation>Cannot open file </translation>
    </message>
    <message>
        <source>Erreur de lecture du flux</source>
        <translation>Stream read error</translation>
    </message>
    <message>
        <source>Erreur Commande DOS diponible seulement sous XP/NT</source>
        <translation>Error: DOS commands are only available on XP/NT</translation>
    </message>
</context>
<context>
    <name>quoddle::InfoReport</name>
    <message>
        <source>INFORMATION SMARTPHONE : </source>
        <translation>SMARTPHONE INFORMATION: </translation>
    </message>
    <message>
        <source>Modèle : </source>
        <translation>Model: </translation>
    </message>
    <message>
        <source>Version d&apos;Android : </source>
        <translation>Android version: </translation>
    </message>
    <message>
        <source> Build </source>
        <translation> Build </translation>
    </message>
    <message>
        <source> (Gms : </source>
        <translation> (GMS: </translation>
    </message>
    <message>
        <source>Version de bande de base : </source>
        <translation>Baseband version: </translation>
    </message>
    <message>
        <source>Numéro de build : </source>
        <translation>Build number: </translation>
    </message>
    <message>
        <source>Numéro logiciel : </source>
        <translation>Software version: </translation>
    </message>
    <message>
        <source>Version Bootloader : </source>
        <translation>Bootloader version: </translation>
    </message>
    <message>
        <source>Version gsm : </source>
        <translation>GSM version: </translation>
    </message>
    <message>
        <source>Opérateur : </source>
        <translation>Operator: </translation>
    </message>
    <message>
        <source>Réseau utilisé : </source>
        <translation>Network in use: </translation>
    </message>
    <message>
        <source>Liaison réseau actuelle : </source>
        <translation>Current network type: </translation>
    </message>
</context>
<context>
    <name>quoddle::MainWindowForm</name>
    <message>
        <source>Cliquez pour rechercher de nouveau le téléphone</source>
        <translation>Click to look for the phone again</translation>
    </message>
    <message>
        <source>Paramètre  ne pas remettre adb :</source>
        <translation>Parameters, without adb:</translation>
    </message>
    <message>
        <source>(ex : devices, reboot...)</source>
        <translation>(e.g. devices, reboot...)</translation>
    </message>
    <message>
        <source>Commandes de base</source>
        <translation>Basic commands</translation>
    </message>
    <message>
        <source>Spécifiques</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Redémarrer le téléphone</source>
        <translation>Restart the phone</translation>
    </message>
    <message>
        <source>Redémarrer en bootloader</source>
        <translation>Restart into bootloader</translation>
    </message>
    <message>
        <source>Redémarrer en recovery</source>
        <translation>Restart into recovery</translation>
    </message>
    <message>
        <source>Installer une application</source>
        <translation>Install an application</translation>
    </message>
    <message>
        <source>Commander le téléphone</source>
        <translation>Control the phone</translation>
    </message>
    <message>
        <source>Numéroter</source>
        <translation>Dial</translation>
    </message>
    <message>
        <source>Le téléphone ne doit pas être en veille !</source>
        <translation>The phone must not be asleep!</translation>
    </message>
    <message>
        <source>Taper ma propre commande...</source>
        <translation>Type my own command...</translation>
    </message>
    <message>
        <source>Changer la manière dont seront stockées les données</source>
        <translation>Change where applications are stored</translation>
    </message>
    <message>
        <source>Mode Auto (défaut)</source>
        <translation>Automatic (default)</translation>
    </message>
    <message>
        <source>Forcer l&apos;installation sur le téléphone</source>
        <translation>Always install on the phone</translation>
    </message>
    <message>
        <source>Forcer l&apos;installation sur Micro SD</source>
        <translation>Always install on the micro SD card</translation>
    </message>
    <message>
        <source>Appliquer</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Modifier les paramètres de sauvegarde automatique</source>
        <translation>Change the automatic backup setting</translation>
    </message>
    <message>
        <source>Activer la sauvegarde automatique</source>
        <translation>Turn automatic backup on</translation>
    </message>
    <message>
        <source>Desactiver la sauvegarde automatique</source>
        <translation>Turn automatic backup off</translation>
    </message>
    <message>
        <source>Supprimer les temporaires du dossier &quot;/data/local/tmp&quot;</source>
        <translation>Delete the temporary files in &quot;/data/local/tmp&quot;</translation>
    </message>
    <message>
        <source>Remarques importantes :</source>
        <translation>Important notes:</translation>
    </message>
    <message>
        <source>Attention, le fait de forcer le stockage des application sur SD peut empêcher le fonctionnement de </source>
        <translation>Warning: forcing applications to be stored on the SD card can stop </translation>
    </message>
    <message>
        <source>certains programmes et widgets, notamment lors de laconnexion du téléphone en usb en mode </source>
        <translation>some programs and widgets from working, notably while the phone is plugged in over USB in </translation>
    </message>
    <message>
        <source>&quot;lecteur de disque&quot; puisque la carte SD devient alors indisponible.</source>
        <translation>&quot;disk drive&quot; mode, since the SD card is then unavailable.</translation>
    </message>
    <message>
        <source>Désactiver la sauvegarde entraine la suppression des sauvegardes actuelles</source>
        <translation>Turning backup off deletes the current backups</translation>
    </message>
    <message>
        <source>Veuillez connecter le téléphone sur le port USB en mode charger seulement débogage USB activé</source>
        <translation>Please connect the phone to a USB port in charge-only mode, with USB debugging on</translation>
    </message>
    <message>
        <source>( Menu -&gt; Paramètres -&gt; Applications -&gt; Développement )</source>
        <translation>( Menu -&gt; Settings -&gt; Applications -&gt; Development )</translation>
    </message>
    <message>
        <source>Vérifier la connexion USB</source>
        <translation>Check the USB connection</translation>
    </message>
    <message>
        <source>Veuillez lancer AdbWireless et reportez la configuration IP (débogage actif)</source>
        <translation>Please start AdbWireless and copy its IP settings here (debugging on)</translation>
    </message>
    <message>
        <source>Adresse IP :</source>
        <translation>IP address:</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>(Ex : 192.168.1.6)</source>
        <translation>(e.g. 192.168.1.6)</translation>
    </message>
    <message>
        <source>  Tester en Wifi avec    Adb Wireless</source>
        <translation>  Test over Wi-Fi with    Adb Wireless</translation>
    </message>
    <message>
        <source>Appli classique</source>
        <translation>User apps</translation>
    </message>
    <message>
        <source>Appli sur SD</source>
        <translation>SD card apps</translation>
    </message>
    <message>
        <source>Appli. system</source>
        <translation>System apps</translation>
    </message>
    <message>
        <source>Actualiser liste</source>
        <translation>Refresh list</translation>
    </message>
    <message>
        <source>Désinstaller</source>
        <translation>Uninstall</translation>
    </message>
    <message>
        <source>      Désinstaller       (garde les réglages)</source>
        <translation>      Uninstall       (keep its settings)</translation>
    </message>
    <message>
        <source>installer sur SD</source>
        <translation>Install on SD card</translation>
    </message>
    <message>
        <source>Installer sur mémoire interne</source>
        <translation>Install in internal memory</translation>
    </message>
    <message>
        <source> Il s&apos;agit d&apos;une réinstallation </source>
        <translation> This is a reinstall </translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>&amp;Fichier</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Chercher le téléphone</source>
        <translation>&amp;Find the phone</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;A propos</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>Choisir l&apos;application android à installer...</source>
        <translation>Choose the Android application to install...</translation>
    </message>
    <message>
        <source>Applications Android</source>
        <translation>Android applications</translation>
    </message>
</context>
<context>
    <name>quoddle::SplashWindowForm</name>
    <message>
        <source>Démarrage du serveur Adb pour communiquer avec le smartphone...</source>
        <translation>Starting the Adb server to talk to the smartphone...</translation>
    </message>
</context>
<context>
    <name>quoddle::Tfm_appli</name>
    <message>
        <source>power</source>
        <translation>power</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>clear</translation>
    </message>
    <message>
        <source>search</source>
        <translation>search</translation>
    </message>
    <message>
        <source>Sym</source>
        <translation>Sym</translation>
    </message>
    <message>
        <source>focus</source>
        <translation>focus</translation>
    </message>
    <message>
        <source>notification</source>
        <translation>notification</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>grave</source>
        <translation>grave</translation>
    </message>
    <message>
        <source>Headsethook player</source>
        <translation>Headsethook player</translation>
    </message>
    <message>
        <source>coma ,</source>
        <translation>comma ,</translation>
    </message>
    <message>
        <source>Volume +</source>
        <translation>Volume +</translation>
    </message>
    <message>
        <source>envelope</source>
        <translation>envelope</translation>
    </message>
    <message>
        <source>Volume-</source>
        <translation>Volume-</translation>
    </message>
    <message>
        <source>explorer</source>
        <translation>explorer</translation>
    </message>
    <message>
        <source>camera</source>
        <translation>camera</translation>
    </message>
    <message>
        <source>at @</source>
        <translation>at @</translation>
    </message>
    <message>
        <source>semicolon ;</source>
        <translation>semicolon ;</translation>
    </message>
    <message>
        <source>&apos;</source>
        <translation>&apos;</translation>
    </message>
    <message>
        <source>\</source>
        <translation>\</translation>
    </message>
    <message>
        <source>=</source>
        <translation>=</translation>
    </message>
    <message>
        <source>Retour</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>TAB</source>
        <translation>TAB</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Z</source>
        <translation>Z</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>U</source>
        <translation>U</translation>
    </message>
    <message>
        <source>I</source>
        <translation>I</translation>
    </message>
    <message>
        <source>O</source>
        <translation>O</translation>
    </message>
    <message>
        <source>P</source>
        <translation>P</translation>
    </message>
    <message>
        <source>enter</source>
        <translation>enter</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>D</source>
        <translation>D</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>J</source>
        <translation>J</translation>
    </message>
    <message>
        <source>K</source>
        <translation>K</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>M</source>
        <translation>M</translation>
    </message>
    <message>
        <source>Shift G</source>
        <translation>Shift L</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Shift D</source>
        <translation>Shift R</translation>
    </message>
    <message>
        <source>alt left</source>
        <translation>alt left</translation>
    </message>
    <message>
        <source>space</source>
        <translation>space</translation>
    </message>
    <message>
        <source>alt droit</source>
        <translation>alt right</translation>
    </message>
    <message>
        <source>period .</source>
        <translation>period .</translation>
    </message>
    <message>
        <source>del</source>
        <translation>del</translation>
    </message>
    <message>
        <source>haut</source>
        <translation>up</translation>
    </message>
    <message>
        <source>gauche</source>
        <translation>left</translation>
    </message>
    <message>
        <source>centre</source>
        <translation>center</translation>
    </message>
    <message>
        <source>droite</source>
        <translation>right</translation>
    </message>
    <message>
        <source>bas</source>
        <translation>down</translation>
    </message>
    <message>
        <source>APPEL</source>
        <translation>CALL</translation>
    </message>
    <message>
        <source>Raccrocher</source>
        <translation>Hang up</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>Num</translation>
    </message>
    <message>
        <source>/</source>
        <translation>/</translation>
    </message>
    <message>
        <source>*</source>
        <translation>*</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>pound #</source>
        <translation>pound #</translation>
    </message>
    <message>
        <source>Commander le téléphone...</source>
        <translation>Control the phone...</translation>
    </message>
</context>
<context>
    <name>quoddle::Tfm_apropos</name>
    <message>
        <source>A propos...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>V 0.6 Beta</source>
        <translation>V 0.6 Beta</translation>
    </message>
    <message>
        <source>par l&apos;équipe Quoddle</source>
        <translation>by the Quoddle team</translation>
    </message>
    <message>
        <source>Logiciel libre : vous pouvez le copier et le distribuer gratuitement.</source>
        <translation>Free software: you may copy it and hand it on free of charge.</translation>
    </message>
</context>
<context>
    <name>quoddle::texts</name>
    <message>
        <source>Quoddle - Commande executer avec succès !! </source>
        <translation>Quoddle - Command completed successfully!</translation>
    </message>
    <message>
        <source>Quoddle - Mauvaise Commande ou paramètre manquant !!</source>
        <translation>Quoddle - Wrong command or missing parameter!</translation>
    </message>
    <message>
        <source>Quoddle - Une Erreur s&apos;est produite lors de l&apos;execution du programme !!</source>
        <translation>Quoddle - An error occurred while running the program!</translation>
    </message>
    <message>
        <source>Quoddle - Commandes appliquées...</source>
        <translation>Quoddle - Commands applied...</translation>
    </message>
    <message>
        <source>aucun appareil selectionné</source>
        <translation>no device selected</translation>
    </message>
    <message>
        <source>Application installé avec succès !</source>
        <translation>Application installed successfully!</translation>
    </message>
    <message>
        <source>L&apos;Application est déjà présente sur le téléphone !</source>
        <translation>The application is already on the phone!</translation>
    </message>
    <message>
        <source>ECHEC : </source>
        <translation>FAILED: </translation>
    </message>
    <message>
        <source>Resultat : <byte value="xd"/></source>
        <translation>Result: <byte value="xd"/></translation>
    </message>
    <message>
        <source>Résultat de la commande : <byte value="xd"/></source>
        <translation>Command result: <byte value="xd"/></translation>
    </message>
    <message>
        <source>Impossible d&apos;obtenir la configuration actuelle de la méthode de stockage des applications (êtes-vous bien sous Froyo 2.2 ?)</source>
        <translation>Cannot read where the phone now stores applications (is it running Froyo 2.2 or later?)</translation>
    </message>
    <message>
        <source>Le lancement du processus Adb.exe a échoué, le programme ne peut continuer.</source>
        <translation>Starting the Adb.exe process failed: the program cannot go on.</translation>
    </message>
    <message>
        <source>Nom Prog</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>APK</source>
        <translation>APK</translation>
    </message>
    <message>
        <source>Nom Composant</source>
        <translation>Package</translation>
    </message>
    <message>
        <source>Applications Android (*.apk *.apks *.xapk)</source>
        <translation>Android applications (*.apk *.apks *.xapk)</translation>
    </message>
    <message>
        <source>Fichier : %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>%1 fichiers : %2</source>
        <translation>%1 files: %2</translation>
    </message>
    <message>
        <source>Quoddle - Installation %1 sur %2 : %3</source>
        <translation>Quoddle - Installing %1 of %2: %3</translation>
    </message>
    <message>
        <source>Résultat des installations :</source>
        <translation>Results of the installs:</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 ne contient aucun fichier .apk lisible</source>
        <translation>%1 holds no readable .apk file</translation>
    </message>
    <message>
        <source>Rien n&apos;a été envoyé au téléphone :</source>
        <translation>Nothing was sent to the phone:</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un fichier d&apos;application Android (.apk, .apks, .xapk)</source>
        <translation>%1 is not an Android application file (.apk, .apks, .xapk)</translation>
    </message>
    <message>
        <source>%1 est un dossier, pas un fichier d&apos;application</source>
        <translation>%1 is a folder, not an application file</translation>
    </message>
    <message>
        <source>%1 n&apos;existe plus</source>
        <translation>%1 no longer exists</translation>
    </message>
    <message>
        <source>Quoddle - Le téléphone a refusé la commande !!</source>
        <translation>Quoddle - The phone refused the command!</translation>
    </message>
    <message>
        <source>Le téléphone n&apos;a pas exécuté la commande : <byte value="xd"/></source>
        <translation>The phone did not carry out the command: <byte value="xd"/></translation>
    </message>
    <message>
        <source>Copier le nom du paquet</source>
        <translation>Copy the package name</translation>
    </message>
    <message>
        <source>Désinstaller...</source>
        <translation>Uninstall...</translation>
    </message>
    <message>
        <source>Désinstaller (garde les réglages)...</source>
        <translation>Uninstall (keep its settings)...</translation>
    </message>
    <message>
        <source>Effacer les données...</source>
        <translation>Clear data...</translation>
    </message>
    <message>
        <source>Désactiver pour l&apos;utilisateur...</source>
        <translation>Disable for the user...</translation>
    </message>
    <message>
        <source>Réactiver...</source>
        <translation>Enable again...</translation>
    </message>
    <message>
        <source>Trier de A à Z</source>
        <translation>Sort from A to Z</translation>
    </message>
    <message>
        <source>Trier de Z à A</source>
        <translation>Sort from Z to A</translation>
    </message>
    <message>
        <source>Filtrer les applications...</source>
        <translation>Filter the applications...</translation>
    </message>
    <message>
        <source>Filtrer : nom ou paquet (Échap pour fermer)</source>
        <translation>Filter: name or package (Escape to close)</translation>
    </message>
    <message>
        <source>  (désactivée)</source>
        <translation>  (disabled)</translation>
    </message>
    <message>
        <source>Désinstaller du téléphone :
%1

L&apos;application et toutes ses données seront supprimées.</source>
        <translation>Uninstall from the phone:
%1

The application and all its data will be deleted.</translation>
    </message>
    <message>
        <source>Désinstaller du téléphone en gardant les données :
%1

L&apos;application sera supprimée ; ses données et réglages resteront sur le téléphone pour une réinstallation.</source>
        <translation>Uninstall from the phone, keeping the data:
%1

The application will be deleted; its data and settings stay on the phone for a reinstall.</translation>
    </message>
    <message>
        <source>Effacer les données de :
%1

Ses réglages, comptes, fichiers et caches sur le téléphone seront perdus ; l&apos;application reste installée.</source>
        <translation>Clear the data of:
%1

Its settings, accounts, files and caches on the phone will be lost; the application stays installed.</translation>
    </message>
    <message>
        <source>Désactiver pour l&apos;utilisateur :
%1

L&apos;application reste sur le téléphone mais ne peut plus être lancée ni mise à jour, et disparaît des menus ; « Réactiver » la rend de nouveau utilisable.</source>
        <translation>Disable for the user:
%1

The application stays on the phone but can no longer be started or updated, and leaves the menus; &quot;Enable again&quot; makes it usable once more.</translation>
    </message>
    <message>
        <source>Réactiver :
%1

L&apos;application pourra de nouveau être lancée et mise à jour.</source>
        <translation>Enable again:
%1

The application can be started and updated again.</translation>
    </message>
    <message>
        <source>Réponse du téléphone :</source>
        <translation>The phone&apos;s answer:</translation>
    </message>
    <message>
        <source>%1 : fait</source>
        <translation>%1: done</translation>
    </message>
    <message>
        <source>%1 : ÉCHEC - %2</source>
        <translation>%1: FAILED - %2</translation>
    </message>
    <message>
        <source>le téléphone n&apos;a rien répondu</source>
        <translation>the phone gave no answer</translation>
    </message>
    <message>
        <source>Les listes montrent les applications d&apos;un autre téléphone : actualisez-les d&apos;abord, rien n&apos;a été envoyé.</source>
        <translation>The lists show another phone&apos;s applications: refresh them first; nothing was sent.</translation>
    </message>
    <message>
        <source>%1 : plus dans la liste depuis l&apos;actualisation, rien n&apos;a été envoyé</source>
        <translation>%1: no longer listed since the refresh; nothing was sent</translation>
    </message>
</context>
</TS>
