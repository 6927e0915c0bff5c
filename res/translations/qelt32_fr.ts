<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>%1 value</source>
        <translation>%1 (valeur)</translation>
    </message>
    <message>
        <source>Increase %1</source>
        <translation>Augmenter %1</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>Diminuer %1</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Vistrel Pro</source>
        <translation>À propos de Vistrel Pro</translation>
    </message>
    <message>
        <source>Vistrel Pro Version %1</source>
        <translation>Vistrel Pro version %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CAdjustDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CAdjustWnd</name>
    <message>
        <source>Vertical Linearity...</source>
        <translation>Linéarité verticale...</translation>
    </message>
    <message>
        <source>Moiré Reduction...</source>
        <translation>Réduction du moiré...</translation>
    </message>
    <message>
        <source>Convergence...</source>
        <translation>Convergence...</translation>
    </message>
    <message>
        <source>Auto-Sizing</source>
        <translation>Réglage automatique</translation>
    </message>
    <message>
        <source>Size Combination Function ON</source>
        <translation>Fonction combinée de taille activée</translation>
    </message>
    <message>
        <source>Distortion Combination Function ON</source>
        <translation>Fonction combinée de distorsion activée</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>Écran</translation>
    </message>
</context>
<context>
    <name>CColorSettingDlg</name>
    <message>
        <source>&amp;Brightness:</source>
        <translation>&amp;Luminosité :</translation>
    </message>
    <message>
        <source>&amp;Contrast:</source>
        <translation>&amp;Contraste :</translation>
    </message>
    <message>
        <source>&amp;Sub-Contrast:</source>
        <translation>Sous-con&amp;traste :</translation>
    </message>
    <message>
        <source>&amp;Red:</source>
        <translation>&amp;Rouge :</translation>
    </message>
    <message>
        <source>Gr&amp;een:</source>
        <translation>V&amp;ert :</translation>
    </message>
    <message>
        <source>B&amp;lue:</source>
        <translation>&amp;Bleu :</translation>
    </message>
    <message>
        <source>Color Setting</source>
        <translation>Réglage des couleurs</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Color Balance</source>
        <translation>Équilibre des couleurs</translation>
    </message>
    <message>
        <source>C&amp;utoff</source>
        <translation>&amp;Seuil</translation>
    </message>
    <message>
        <source>&amp;Gain</source>
        <translation>&amp;Gain</translation>
    </message>
    <message>
        <source>&amp;Display the test pattern</source>
        <translation>&amp;Afficher la mire</translation>
    </message>
    <message>
        <source>&amp;Factory Setting:</source>
        <translation>Réglage d&apos;&amp;usine :</translation>
    </message>
</context>
<context>
    <name>CConvergenceDlg</name>
    <message>
        <source>Convergence Adjustment</source>
        <translation>Réglage de la convergence</translation>
    </message>
</context>
<context>
    <name>CIntervalDlg</name>
    <message>
        <source>5 seconds</source>
        <translation>5 secondes</translation>
    </message>
    <message>
        <source>3 minutes</source>
        <translation>3 minutes</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 minutes</translation>
    </message>
    <message>
        <source>Interval Time Setting</source>
        <translation>Réglage des délais</translation>
    </message>
    <message>
        <source>Monitor Setting</source>
        <translation>Réglage du moniteur</translation>
    </message>
    <message>
        <source>I&amp;nterval time between the ScreenSaver blanks screen and the monitor enters into Mode 1:</source>
        <translation>&amp;Délai entre l&apos;extinction de l&apos;écran par l&apos;économiseur et le passage du moniteur en mode 1 :</translation>
    </message>
    <message>
        <source>&amp;Mode1 duration time before the monitor enters into Mode2:</source>
        <translation>D&amp;urée du mode 1 avant le passage du moniteur en mode 2 :</translation>
    </message>
    <message>
        <source>Windows Setting</source>
        <translation>Réglage de Windows</translation>
    </message>
    <message>
        <source>1. Click [Screen Saver] button.</source>
        <translation>1. Cliquez sur le bouton [Économiseur d&apos;écran].</translation>
    </message>
    <message>
        <source>2. Set the NUTEK compatible ScreenSaver.</source>
        <translation>2. Choisissez un économiseur d&apos;écran compatible NUTEK.</translation>
    </message>
    <message>
        <source>&amp;Screen Saver</source>
        <translation>Économiseur d&apos;é&amp;cran</translation>
    </message>
    <message>
        <source>&amp;Interval time when the monitor detects the SUSPEND signal or the OFF signal and the monitor enters into Mode 1 or Mode 2:</source>
        <translation>&amp;Délai entre la détection du signal SUSPEND ou OFF et le passage du moniteur en mode 1 ou en mode 2 :</translation>
    </message>
    <message>
        <source>Windows 95 Setting</source>
        <translation>Réglage de Windows 95</translation>
    </message>
    <message>
        <source>2. Set the interval time in each [minutes] box in [Energy saving features of monitor] box.</source>
        <translation>2. Réglez le délai dans chaque case [minutes] de la zone [Fonctions d&apos;économie d&apos;énergie du moniteur].</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Ouvrir...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Enregistrer	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>Serial &amp;Port...</source>
        <translation>&amp;Port série...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Fichier récent</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Rubriques d&apos;aide</translation>
    </message>
    <message>
        <source>&amp;About Vistrel Pro...</source>
        <translation>À &amp;propos de Vistrel Pro...</translation>
    </message>
    <message>
        <source>&amp;Beep</source>
        <translation>&amp;Bip</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Réinitialiser</translation>
    </message>
    <message>
        <source>Size, Position and Distortion Adjustment</source>
        <translation>Taille, position et distorsion</translation>
    </message>
    <message>
        <source>Convergence, Tilt and Moiré Adjustment</source>
        <translation>Convergence, rotation et moiré</translation>
    </message>
    <message>
        <source>Color Adjustment</source>
        <translation>Réglage des couleurs</translation>
    </message>
    <message>
        <source>&amp;Auto-Sizing</source>
        <translation>Réglage &amp;automatique</translation>
    </message>
    <message>
        <source>&amp;Degauss</source>
        <translation>&amp;Démagnétiser</translation>
    </message>
    <message>
        <source>&amp;Store in memory</source>
        <translation>Enregistrer dans le &amp;moniteur</translation>
    </message>
    <message>
        <source>&amp;Color Mode</source>
        <translation>Mode de &amp;couleur</translation>
    </message>
    <message>
        <source>Mode1</source>
        <translation>Mode 1</translation>
    </message>
    <message>
        <source>Mode2</source>
        <translation>Mode 2</translation>
    </message>
    <message>
        <source>Mode3</source>
        <translation>Mode 3</translation>
    </message>
    <message>
        <source>&amp;Input Signal</source>
        <translation>Signal d&apos;&amp;entrée</translation>
    </message>
    <message>
        <source>Current Input Signal</source>
        <translation>Signal d&apos;entrée actuel</translation>
    </message>
    <message>
        <source>D-Sub</source>
        <translation>D-Sub</translation>
    </message>
    <message>
        <source>BNC</source>
        <translation>BNC</translation>
    </message>
    <message>
        <source>Detection of Input Signal</source>
        <translation>Détection du signal d&apos;entrée</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuelle</translation>
    </message>
    <message>
        <source>All Adjustments</source>
        <translation>Tous les réglages</translation>
    </message>
    <message>
        <source>F&amp;unction</source>
        <translation>F&amp;onction</translation>
    </message>
    <message>
        <source>D-SUB</source>
        <translation>D-SUB</translation>
    </message>
    <message>
        <source>Auto (priority on D-SUB)</source>
        <translation>Automatique (priorité à D-SUB)</translation>
    </message>
    <message>
        <source>Auto (priority on BNC)</source>
        <translation>Automatique (priorité à BNC)</translation>
    </message>
    <message>
        <source>All Adjustment</source>
        <translation>Tous les réglages</translation>
    </message>
</context>
<context>
    <name>CMoireDlg</name>
    <message>
        <source>Moiré Reduction</source>
        <translation>Réduction du moiré</translation>
    </message>
    <message>
        <source>&amp;Horizontal Moiré Reduction</source>
        <translation>Réduction du moiré &amp;horizontale</translation>
    </message>
    <message>
        <source>&amp;Vertical Moiré Reduction</source>
        <translation>Réduction du moiré &amp;verticale</translation>
    </message>
    <message>
        <source>&amp;ON</source>
        <translation>&amp;Activé</translation>
    </message>
    <message>
        <source>O&amp;N</source>
        <translation>Acti&amp;vé</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CQelt32View</name>
    <message>
        <source>Screen</source>
        <translation>Écran</translation>
    </message>
    <message>
        <source>&amp;Screen Adjustment...</source>
        <translation>&amp;Réglage de l&apos;écran...</translation>
    </message>
    <message>
        <source>Position Adjustment : ten keys
Size Adjustment : Alt+ten keys</source>
        <translation>Position : pavé numérique
Taille : Alt+pavé numérique</translation>
    </message>
    <message>
        <source>B&amp;rightness</source>
        <translation>Lu&amp;minosité</translation>
    </message>
    <message>
        <source>&amp;Brightness</source>
        <translation>&amp;Luminosité</translation>
    </message>
    <message>
        <source>&amp;Contrast</source>
        <translation>&amp;Contraste</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Température de couleur</translation>
    </message>
    <message>
        <source>S&amp;tandard</source>
        <translation>S&amp;tandard</translation>
    </message>
    <message>
        <source>Custo&amp;m</source>
        <translation>&amp;Personnalisée</translation>
    </message>
    <message>
        <source>&amp;Detail Setting...</source>
        <translation>&amp;Détails...</translation>
    </message>
    <message>
        <source>Current Color Tem&amp;perature:</source>
        <translation>T&amp;empérature actuelle :</translation>
    </message>
    <message>
        <source>PowerWarden</source>
        <translation>PowerWarden</translation>
    </message>
    <message>
        <source>&amp;VESA DPMS (Windows 95 standard)</source>
        <translation>&amp;VESA DPMS (standard Windows 95)</translation>
    </message>
    <message>
        <source>&amp;NUTEK (blank screen)</source>
        <translation>&amp;NUTEK (écran noir)</translation>
    </message>
    <message>
        <source>&amp;OFF</source>
        <translation>Désact&amp;ivé</translation>
    </message>
    <message>
        <source>D&amp;etail Setting...</source>
        <translation>Détail&amp;s...</translation>
    </message>
</context>
<context>
    <name>CVLinearityDlg</name>
    <message>
        <source>Vertical Linearity Adjustment</source>
        <translation>Réglage de la linéarité verticale</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Équilibre</translation>
    </message>
    <message>
        <source>Linearity</source>
        <translation>Linéarité</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Adjusts a CRT monitor over its serial maintenance cable.</source>
        <translation>Règle un moniteur cathodique par son câble de maintenance série.</translation>
    </message>
    <message>
        <source>Start without the start-up picture.</source>
        <translation>Démarrer sans l&apos;image d&apos;accueil.</translation>
    </message>
    <message>
        <source>Save a picture of the screen to PATH once the window has settled, then close the program.</source>
        <translation>Enregistrer une image de l&apos;écran dans PATH une fois la fenêtre stabilisée, puis fermer le programme.</translation>
    </message>
    <message>
        <source>What the screenshot shows: %1.</source>
        <translation>Ce que montre la capture d&apos;écran : %1.</translation>
    </message>
    <message>
        <source>A settings file (.qlt) to open.</source>
        <translation>Un fichier de réglages (.qlt) à ouvrir.</translation>
    </message>
    <message>
        <source>Only one settings file can be opened: %1</source>
        <translation>Un seul fichier de réglages peut être ouvert : %1</translation>
    </message>
    <message>
        <source>Unknown screenshot target: %1</source>
        <translation>Cible de capture d&apos;écran inconnue : %1</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Afficher la version du programme.</translation>
    </message>
</context>
<context>
    <name>NoMonitorBox</name>
    <message>
        <source>&amp;Choose Device...</source>
        <translation>&amp;Choisir le périphérique...</translation>
    </message>
</context>
<context>
    <name>PortChooser</name>
    <message>
        <source>Serial Device</source>
        <translation>Périphérique série</translation>
    </message>
    <message>
        <source>No serial adapter was found.</source>
        <translation>Aucun adaptateur série n’a été trouvé.</translation>
    </message>
    <message>
        <source>&amp;Device the monitor is connected to:</source>
        <translation>&amp;Périphérique auquel le moniteur est relié :</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Vistrel Pro is already running but does not answer.</source>
        <translation>Vistrel Pro est déjà lancé mais ne répond pas.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Vistrel Pro

Qelt32
Qelt32 Files (*.qlt)
.qlt
Qelt32.Document
Vistrel Pro Data</source>
        <translation>Vistrel Pro

Qelt32
Fichiers Qelt32 (*.qlt)
.qlt
Qelt32.Document
Données Vistrel Pro</translation>
    </message>
    <message>
        <source>Move the picture up and to the right</source>
        <translation>Déplacer l&apos;image vers le haut et la droite</translation>
    </message>
    <message>
        <source>Move the picture down and to the right</source>
        <translation>Déplacer l&apos;image vers le bas et la droite</translation>
    </message>
    <message>
        <source>Move the picture up and to the left</source>
        <translation>Déplacer l&apos;image vers le haut et la gauche</translation>
    </message>
    <message>
        <source>Move the picture down and to the left</source>
        <translation>Déplacer l&apos;image vers le bas et la gauche</translation>
    </message>
    <message>
        <source>Make the picture wider and taller</source>
        <translation>Élargir et agrandir l&apos;image en hauteur</translation>
    </message>
    <message>
        <source>Make the picture wider and lower</source>
        <translation>Élargir l&apos;image et réduire sa hauteur</translation>
    </message>
    <message>
        <source>Make the picture narrower and taller</source>
        <translation>Rétrécir l&apos;image et agrandir sa hauteur</translation>
    </message>
    <message>
        <source>Make the picture narrower and lower</source>
        <translation>Rétrécir l&apos;image et réduire sa hauteur</translation>
    </message>
    <message>
        <source>Move the picture to the right</source>
        <translation>Déplacer l&apos;image vers la droite</translation>
    </message>
    <message>
        <source>Move the picture to the left</source>
        <translation>Déplacer l&apos;image vers la gauche</translation>
    </message>
    <message>
        <source>Move the picture up</source>
        <translation>Déplacer l&apos;image vers le haut</translation>
    </message>
    <message>
        <source>Move the picture down</source>
        <translation>Déplacer l&apos;image vers le bas</translation>
    </message>
    <message>
        <source>Make the picture wider</source>
        <translation>Élargir l&apos;image</translation>
    </message>
    <message>
        <source>Make the picture narrower</source>
        <translation>Rétrécir l&apos;image</translation>
    </message>
    <message>
        <source>Make the picture taller</source>
        <translation>Agrandir la hauteur de l&apos;image</translation>
    </message>
    <message>
        <source>Make the picture lower</source>
        <translation>Réduire la hauteur de l&apos;image</translation>
    </message>
    <message>
        <source>Move size and position together when an edge or corner is dragged</source>
        <translation>Modifier ensemble la taille et la position en faisant glisser un bord ou un coin</translation>
    </message>
    <message>
        <source>Adjust the moiré reduction</source>
        <translation>Régler la réduction du moiré</translation>
    </message>
    <message>
        <source>Adjust the convergence</source>
        <translation>Régler la convergence</translation>
    </message>
    <message>
        <source>Adjust the vertical linearity</source>
        <translation>Régler la linéarité verticale</translation>
    </message>
    <message>
        <source>Move two distortion values together when a side or corner is dragged</source>
        <translation>Modifier ensemble deux valeurs de distorsion en faisant glisser un côté ou un coin</translation>
    </message>
    <message>
        <source>Show how the screen adjustment works</source>
        <translation>Expliquer le fonctionnement du réglage de l&apos;écran</translation>
    </message>
    <message>
        <source>Keep the adjustment and leave the screen adjustment</source>
        <translation>Conserver le réglage et quitter le réglage de l&apos;écran</translation>
    </message>
    <message>
        <source>Undo the adjustment and leave the screen adjustment</source>
        <translation>Annuler le réglage et quitter le réglage de l&apos;écran</translation>
    </message>
    <message>
        <source>Removing magnetic-field effect from the monitor.
Degaussing</source>
        <translation>Supprime l&apos;effet des champs magnétiques sur le moniteur.
Démagnétisation</translation>
    </message>
    <message>
        <source>Auto-Adjustment of Size and Geometry
Auto-Sizing</source>
        <translation>Réglage automatique de la taille et de la géométrie
Réglage automatique</translation>
    </message>
    <message>
        <source>Switch the input signal to D-SUB
D-SUB</source>
        <translation>Basculer le signal d&apos;entrée sur D-SUB
D-SUB</translation>
    </message>
    <message>
        <source>Switch the input signal to BNC
BNC</source>
        <translation>Basculer le signal d&apos;entrée sur BNC
BNC</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode1
Color Mode1</source>
        <translation>Passer au mode de couleur 1
Mode de couleur 1</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode2
Color Mode2</source>
        <translation>Passer au mode de couleur 2
Mode de couleur 2</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode3
Color Mode3</source>
        <translation>Passer au mode de couleur 3
Mode de couleur 3</translation>
    </message>
    <message>
        <source>ON and OFF the beep function of the monitor
Beep</source>
        <translation>Activer ou désactiver le bip du moniteur
Bip</translation>
    </message>
    <message>
        <source>Beep ON
ON</source>
        <translation>Bip activé
Activé</translation>
    </message>
    <message>
        <source>Beep OFF
OFF</source>
        <translation>Bip désactivé
Désactivé</translation>
    </message>
    <message>
        <source>Detect the input signal port</source>
        <translation>Détecter automatiquement l&apos;entrée du signal</translation>
    </message>
    <message>
        <source>Not to detect the input signal port</source>
        <translation>Ne pas détecter l&apos;entrée du signal</translation>
    </message>
    <message>
        <source>Reset all adjustment values to default</source>
        <translation>Rétablir toutes les valeurs de réglage par défaut</translation>
    </message>
    <message>
        <source>Reset the adjustment value of size etc. to default</source>
        <translation>Rétablir les valeurs de taille, position et distorsion par défaut</translation>
    </message>
    <message>
        <source>Reset the adjustment value of convergence etc. to default</source>
        <translation>Rétablir les valeurs de convergence, rotation et moiré par défaut</translation>
    </message>
    <message>
        <source>Reset the color adjustment value to default</source>
        <translation>Rétablir les réglages de couleur par défaut</translation>
    </message>
    <message>
        <source>Store the current adjustment value in monitor&apos;s memory
Store to Memory</source>
        <translation>Enregistrer le réglage actuel dans la mémoire du moniteur
Enregistrer dans le moniteur</translation>
    </message>
    <message>
        <source>Detect input signal port with priority on D-SUB</source>
        <translation>Détecter l&apos;entrée du signal, priorité à D-SUB</translation>
    </message>
    <message>
        <source>Detect input signal port with priority on BNC</source>
        <translation>Détecter l&apos;entrée du signal, priorité à BNC</translation>
    </message>
    <message>
        <source>Select input signal manually</source>
        <translation>Choisir le signal d&apos;entrée manuellement</translation>
    </message>
    <message>
        <source>Vistrel Pro</source>
        <translation>Vistrel Pro</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Load monitor settings from a file
Open</source>
        <translation>Charger les réglages du moniteur depuis un fichier
Ouvrir</translation>
    </message>
    <message>
        <source>Save the monitor settings to the file
Save</source>
        <translation>Enregistrer les réglages du moniteur dans le fichier
Enregistrer</translation>
    </message>
    <message>
        <source>Save the monitor settings to a new file
Save As</source>
        <translation>Enregistrer les réglages du moniteur dans un nouveau fichier
Enregistrer sous</translation>
    </message>
    <message>
        <source>Load the settings of this file</source>
        <translation>Charger les réglages de ce fichier</translation>
    </message>
    <message>
        <source>Show the program&apos;s name, version and monitor protocol
About</source>
        <translation>Afficher le nom, la version et le protocole du moniteur
À propos</translation>
    </message>
    <message>
        <source>Leave the program
Exit</source>
        <translation>Quitter le programme
Quitter</translation>
    </message>
    <message>
        <source>List the help topics
Help Topics</source>
        <translation>Afficher les rubriques d&apos;aide
Rubriques d&apos;aide</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>Running Auto-Sizing now.
Please wait a moment.</source>
        <translation>Réglage automatique en cours.
Veuillez patienter un instant.</translation>
    </message>
    <message>
        <source>Monitor and the computer may not be connected correctly.
Please check the connection of the maintenance cable referring to the User*s Manual of the Vistrel Pro.</source>
        <translation>Le moniteur et l&apos;ordinateur ne sont peut-être pas correctement reliés.
Vérifiez le branchement du câble de maintenance en vous reportant au manuel d&apos;utilisation de Vistrel Pro.</translation>
    </message>
    <message>
        <source>Communication failure.
Please check connection of the maintenance cable. </source>
        <translation>Échec de la communication.
Vérifiez le branchement du câble de maintenance. </translation>
    </message>
    <message>
        <source>Monitor data is changed.
Do you want to save the setting?</source>
        <translation>Les données du moniteur ont été modifiées.
Voulez-vous conserver ce réglage ?</translation>
    </message>
    <message>
        <source>Adjust monitor to eliminate red and blue tinges of the purple lines on the screen.</source>
        <translation>Réglez le moniteur de sorte que les lignes violettes de l&apos;écran ne présentent plus de franges rouges ni bleues.</translation>
    </message>
    <message>
        <source>fH:150kHz</source>
        <translation>fH:150kHz</translation>
    </message>
    <message>
        <source>fV:100Hz</source>
        <translation>fV:100Hz</translation>
    </message>
    <message>
        <source>The data of the selected file is not for this monitor. It cannot be loaded.</source>
        <translation>Les données du fichier choisi ne sont pas destinées à ce moniteur. Elles ne peuvent pas être chargées.</translation>
    </message>
    <message>
        <source>The screen data of this file is not available for this monitor. It cannot be loaded.</source>
        <translation>Les données d&apos;écran de ce fichier ne conviennent pas à ce moniteur. Elles ne peuvent pas être chargées.</translation>
    </message>
    <message>
        <source>The file for the animated cursor cannot be found.
Please re-install the program.</source>
        <translation>Le fichier du curseur animé est introuvable.
Veuillez réinstaller le programme.</translation>
    </message>
    <message>
        <source>Auto-Sizing</source>
        <translation>Réglage automatique</translation>
    </message>
    <message>
        <source>Monitor Communication Protocol Revision %S</source>
        <translation>Protocole de communication du moniteur, révision %S</translation>
    </message>
    <message>
        <source>To use combination function of screen adjustment, it is necessity to copy DISPLAY1.INI file to Vistrel Pro installed directory from QURE Monitor Information Disk, which is attached with the monitor package.</source>
        <translation>Pour utiliser la fonction combinée du réglage de l&apos;écran, copiez le fichier DISPLAY1.INI de la disquette QURE Monitor Information Disk, fournie avec le moniteur, dans le dossier d&apos;installation de Vistrel Pro.</translation>
    </message>
    <message>
        <source>Please adjust the purple lines not to have a color separation as follows. The vertical adjustment can be operated independently in each screen area: whole, top and bottom.<byte value="xd"/>
<byte value="xd"/>
1. Horizontal and Vertical Convergence Adjustment in the screen center.<byte value="xd"/>
2. Vertical Convergence Adjustment in the top and the bottom of the screen.</source>
        <translation>Réglez les lignes violettes comme suit afin qu&apos;elles ne présentent aucune séparation des couleurs. Le réglage vertical peut se faire séparément pour chaque zone de l&apos;écran : ensemble, haut et bas.<byte value="xd"/>
<byte value="xd"/>
1. Réglage de la convergence horizontale et verticale au centre de l&apos;écran.<byte value="xd"/>
2. Réglage de la convergence verticale en haut et en bas de l&apos;écran.</translation>
    </message>
    <message>
        <source>&amp;Screen Data</source>
        <translation>Données d&apos;é&amp;cran</translation>
    </message>
    <message>
        <source>&amp;Color Data</source>
        <translation>Données de &amp;couleur</translation>
    </message>
    <message>
        <source>&amp;PowerWarden Data</source>
        <translation>Données &amp;PowerWarden</translation>
    </message>
    <message>
        <source>Vistrel Pro program can not be used with the LCD display.</source>
        <translation>Le programme Vistrel Pro ne peut pas être utilisé avec un écran LCD.</translation>
    </message>
    <message>
        <source>The help file %1 cannot be found.
Please re-install the program.</source>
        <translation>Le fichier d&apos;aide %1 est introuvable.
Veuillez réinstaller le programme.</translation>
    </message>
    <message>
        <source>No help is available for this item.</source>
        <translation>Aucune aide n&apos;est disponible pour cet élément.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Impossible d&apos;ouvrir le document.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Impossible d&apos;enregistrer le document.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Enregistrer les modifications de %1 ?</translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation>Format de fichier inattendu.</translation>
    </message>
    <message>
        <source>%1
Cannot find this file.
Please verify that the correct path and file name are given.</source>
        <translation>%1
Fichier introuvable.
Vérifiez que le chemin et le nom du fichier sont corrects.</translation>
    </message>
    <message>
        <source>Destination disk drive is full.</source>
        <translation>Le disque de destination est plein.</translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation>Impossible de lire %1, le fichier est ouvert par un autre utilisateur.</translation>
    </message>
    <message>
        <source>Unable to write to %1, it is read-only or opened by someone else.</source>
        <translation>Impossible d&apos;écrire dans %1, le fichier est en lecture seule ou ouvert par un autre utilisateur.</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to.
Please save the file in another folder.</source>
        <translation>Impossible d&apos;écrire dans le dossier %1.
Veuillez enregistrer le fichier dans un autre dossier.</translation>
    </message>
    <message>
        <source>The scan frequencies of the monitor could not be read, so the file cannot be saved.
Please check connection of the maintenance cable.</source>
        <translation>Les fréquences de balayage du moniteur n&apos;ont pas pu être lues ; le fichier ne peut donc pas être enregistré.
Vérifiez le branchement du câble de maintenance.</translation>
    </message>
    <message>
        <source>The monitor is disconnected: %1
The values shown are what it last held. The program goes on as soon as the monitor answers again.</source>
        <translation>Le moniteur est déconnecté : %1
Les valeurs affichées sont les dernières qu&apos;il avait. Le programme reprend dès que le moniteur répond à nouveau.</translation>
    </message>
    <message>
        <source>The monitor is disconnected, so the changed settings were not stored in it.</source>
        <translation>Le moniteur est déconnecté : les réglages modifiés n&apos;y ont pas été mémorisés.</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>The monitor answers again.</source>
        <translation>Le moniteur répond à nouveau.</translation>
    </message>
    <message>
        <source>A monitor with another serial number (%1) answers now.
Do you want to adjust this monitor?</source>
        <translation>Un moniteur d&apos;un autre numéro de série (%1) répond maintenant.
Voulez-vous régler ce moniteur ?</translation>
    </message>
    <message>
        <source>The profile %1 has a format error in line %2. Its settings are read as far as they can be, and the file is left as it is.</source>
        <translation>Le profil %1 contient une erreur de format à la ligne %2. Ses réglages sont lus autant que possible et le fichier est laissé tel quel.</translation>
    </message>
    <message>
        <source>The profile %1 is not a readable file of a usable size. It is left as it is, and settings changed now are not kept.</source>
        <translation>Le profil %1 n&apos;est pas un fichier lisible de taille utilisable. Il est laissé tel quel et les réglages modifiés maintenant ne sont pas conservés.</translation>
    </message>
    <message>
        <source>Choose the serial device the monitor is connected to
Serial Port</source>
        <translation>Choisir le périphérique série auquel le moniteur est relié
Port série</translation>
    </message>
    <message>
        <source>No monitor could be used on the chosen device, so the program goes on as before.
%1</source>
        <translation>Aucun moniteur n&apos;a pu être utilisé sur le périphérique choisi ; le programme continue comme avant.
%1</translation>
    </message>
    <message>
        <source>The monitor on the chosen device is another model (%1), for which the windows of this run are not made.
Please start the program again to adjust it.</source>
        <translation>Le moniteur du périphérique choisi est un autre modèle (%1), pour lequel les fenêtres de cette session ne sont pas faites.
Veuillez redémarrer le programme pour le régler.</translation>
    </message>
    <message>
        <source>Now adjusting the monitor on %1.</source>
        <translation>Réglage du moniteur sur %1.</translation>
    </message>
    <message>
        <source>The screen of the full-screen adjustment was removed or changed, so the adjustment was cancelled.</source>
        <translation>L&apos;écran du réglage en plein écran a été retiré ou modifié ; le réglage a donc été annulé.</translation>
    </message>
    <message>
        <source>The pointer stops at the edge of the screen: use the arrow keys to move this handle further.</source>
        <translation>Le pointeur s&apos;arrête au bord de l&apos;écran : utilisez les touches fléchées pour déplacer cette poignée plus loin.</translation>
    </message>
</context>
</TS>
