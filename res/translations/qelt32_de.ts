<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>%1 value</source>
        <translation>%1 (Wert)</translation>
    </message>
    <message>
        <source>Increase %1</source>
        <translation>%1 erhöhen</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>%1 verringern</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Vistrel Pro</source>
        <translation>Info über Vistrel Pro</translation>
    </message>
    <message>
        <source>Vistrel Pro Version %1</source>
        <translation>Vistrel Pro Version %1</translation>
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
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CAdjustWnd</name>
    <message>
        <source>Vertical Linearity...</source>
        <translation>Vertikale Linearität...</translation>
    </message>
    <message>
        <source>Moiré Reduction...</source>
        <translation>Moiré-Unterdrückung...</translation>
    </message>
    <message>
        <source>Convergence...</source>
        <translation>Konvergenz...</translation>
    </message>
    <message>
        <source>Auto-Sizing</source>
        <translation>Auto-Sizing</translation>
    </message>
    <message>
        <source>Size Combination Function ON</source>
        <translation>Größenkombination ein</translation>
    </message>
    <message>
        <source>Distortion Combination Function ON</source>
        <translation>Verzerrungskombination ein</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>Bildschirm</translation>
    </message>
</context>
<context>
    <name>CColorSettingDlg</name>
    <message>
        <source>&amp;Brightness:</source>
        <translation>&amp;Helligkeit:</translation>
    </message>
    <message>
        <source>&amp;Contrast:</source>
        <translation>&amp;Kontrast:</translation>
    </message>
    <message>
        <source>&amp;Sub-Contrast:</source>
        <translation>&amp;Unterkontrast:</translation>
    </message>
    <message>
        <source>&amp;Red:</source>
        <translation>&amp;Rot:</translation>
    </message>
    <message>
        <source>Gr&amp;een:</source>
        <translation>&amp;Grün:</translation>
    </message>
    <message>
        <source>B&amp;lue:</source>
        <translation>B&amp;lau:</translation>
    </message>
    <message>
        <source>Color Setting</source>
        <translation>Farbeinstellung</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Color Balance</source>
        <translation>Farbabgleich</translation>
    </message>
    <message>
        <source>C&amp;utoff</source>
        <translation>&amp;Schwarzwert</translation>
    </message>
    <message>
        <source>&amp;Gain</source>
        <translation>&amp;Verstärkung</translation>
    </message>
    <message>
        <source>&amp;Display the test pattern</source>
        <translation>&amp;Testbild anzeigen</translation>
    </message>
    <message>
        <source>&amp;Factory Setting:</source>
        <translation>&amp;Werkseinstellung:</translation>
    </message>
</context>
<context>
    <name>CConvergenceDlg</name>
    <message>
        <source>Convergence Adjustment</source>
        <translation>Konvergenzeinstellung</translation>
    </message>
</context>
<context>
    <name>CIntervalDlg</name>
    <message>
        <source>5 seconds</source>
        <translation>5 Sekunden</translation>
    </message>
    <message>
        <source>3 minutes</source>
        <translation>3 Minuten</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>Interval Time Setting</source>
        <translation>Wartezeiten einstellen</translation>
    </message>
    <message>
        <source>Monitor Setting</source>
        <translation>Monitoreinstellung</translation>
    </message>
    <message>
        <source>I&amp;nterval time between the ScreenSaver blanks screen and the monitor enters into Mode 1:</source>
        <translation>&amp;Wartezeit zwischen dem Abdunkeln durch den Bildschirmschoner und dem Wechsel des Monitors in Modus 1:</translation>
    </message>
    <message>
        <source>&amp;Mode1 duration time before the monitor enters into Mode2:</source>
        <translation>&amp;Dauer von Modus 1, bevor der Monitor in Modus 2 wechselt:</translation>
    </message>
    <message>
        <source>Windows Setting</source>
        <translation>Windows-Einstellung</translation>
    </message>
    <message>
        <source>1. Click [Screen Saver] button.</source>
        <translation>1. Klicken Sie auf [Bildschirmschoner].</translation>
    </message>
    <message>
        <source>2. Set the NUTEK compatible ScreenSaver.</source>
        <translation>2. Wählen Sie einen NUTEK-kompatiblen Bildschirmschoner.</translation>
    </message>
    <message>
        <source>&amp;Screen Saver</source>
        <translation>&amp;Bildschirmschoner</translation>
    </message>
    <message>
        <source>&amp;Interval time when the monitor detects the SUSPEND signal or the OFF signal and the monitor enters into Mode 1 or Mode 2:</source>
        <translation>&amp;Wartezeit zwischen dem Erkennen des SUSPEND- oder OFF-Signals und dem Wechsel des Monitors in Modus 1 oder Modus 2:</translation>
    </message>
    <message>
        <source>Windows 95 Setting</source>
        <translation>Windows 95-Einstellung</translation>
    </message>
    <message>
        <source>2. Set the interval time in each [minutes] box in [Energy saving features of monitor] box.</source>
        <translation>2. Stellen Sie unter [Energiesparfunktionen des Monitors] die Zeit in jedem Feld [Minuten] ein.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Strg+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Serial &amp;Port...</source>
        <translation>Serieller &amp;Anschluss...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;About Vistrel Pro...</source>
        <translation>&amp;Info über Vistrel Pro...</translation>
    </message>
    <message>
        <source>&amp;Beep</source>
        <translation>&amp;Signalton</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>Size, Position and Distortion Adjustment</source>
        <translation>Größe, Lage und Verzerrung</translation>
    </message>
    <message>
        <source>Convergence, Tilt and Moiré Adjustment</source>
        <translation>Konvergenz, Drehung und Moiré</translation>
    </message>
    <message>
        <source>Color Adjustment</source>
        <translation>Farbeinstellung</translation>
    </message>
    <message>
        <source>&amp;Auto-Sizing</source>
        <translation>&amp;Auto-Sizing</translation>
    </message>
    <message>
        <source>&amp;Degauss</source>
        <translation>E&amp;ntmagnetisieren</translation>
    </message>
    <message>
        <source>&amp;Store in memory</source>
        <translation>Im &amp;Monitor speichern</translation>
    </message>
    <message>
        <source>&amp;Color Mode</source>
        <translation>&amp;Farbmodus</translation>
    </message>
    <message>
        <source>Mode1</source>
        <translation>Modus 1</translation>
    </message>
    <message>
        <source>Mode2</source>
        <translation>Modus 2</translation>
    </message>
    <message>
        <source>Mode3</source>
        <translation>Modus 3</translation>
    </message>
    <message>
        <source>&amp;Input Signal</source>
        <translation>&amp;Eingangssignal</translation>
    </message>
    <message>
        <source>Current Input Signal</source>
        <translation>Aktuelles Eingangssignal</translation>
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
        <translation>Erkennung des Eingangssignals</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>All Adjustments</source>
        <translation>Alle Einstellungen</translation>
    </message>
    <message>
        <source>F&amp;unction</source>
        <translation>F&amp;unktion</translation>
    </message>
    <message>
        <source>D-SUB</source>
        <translation>D-SUB</translation>
    </message>
    <message>
        <source>Auto (priority on D-SUB)</source>
        <translation>Automatisch (D-SUB bevorzugt)</translation>
    </message>
    <message>
        <source>Auto (priority on BNC)</source>
        <translation>Automatisch (BNC bevorzugt)</translation>
    </message>
    <message>
        <source>All Adjustment</source>
        <translation>Alle Einstellungen</translation>
    </message>
</context>
<context>
    <name>CMoireDlg</name>
    <message>
        <source>Moiré Reduction</source>
        <translation>Moiré-Unterdrückung</translation>
    </message>
    <message>
        <source>&amp;Horizontal Moiré Reduction</source>
        <translation>&amp;Horizontale Moiré-Unterdrückung</translation>
    </message>
    <message>
        <source>&amp;Vertical Moiré Reduction</source>
        <translation>&amp;Vertikale Moiré-Unterdrückung</translation>
    </message>
    <message>
        <source>&amp;ON</source>
        <translation>&amp;Ein</translation>
    </message>
    <message>
        <source>O&amp;N</source>
        <translation>E&amp;in</translation>
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
        <translation>Bild</translation>
    </message>
    <message>
        <source>&amp;Screen Adjustment...</source>
        <translation>&amp;Bildeinstellung...</translation>
    </message>
    <message>
        <source>Position Adjustment : ten keys
Size Adjustment : Alt+ten keys</source>
        <translation>Lage: Zehnertastatur
Größe: Alt+Zehnertastatur</translation>
    </message>
    <message>
        <source>B&amp;rightness</source>
        <translation>Hell&amp;igkeit</translation>
    </message>
    <message>
        <source>&amp;Brightness</source>
        <translation>Helli&amp;gkeit</translation>
    </message>
    <message>
        <source>&amp;Contrast</source>
        <translation>&amp;Kontrast</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Farbtemperatur</translation>
    </message>
    <message>
        <source>S&amp;tandard</source>
        <translation>S&amp;tandard</translation>
    </message>
    <message>
        <source>Custo&amp;m</source>
        <translation>&amp;Eigene</translation>
    </message>
    <message>
        <source>&amp;Detail Setting...</source>
        <translation>Detail&amp;s...</translation>
    </message>
    <message>
        <source>Current Color Tem&amp;perature:</source>
        <translation>Aktuelle &amp;Farbtemperatur:</translation>
    </message>
    <message>
        <source>PowerWarden</source>
        <translation>PowerWarden</translation>
    </message>
    <message>
        <source>&amp;VESA DPMS (Windows 95 standard)</source>
        <translation>&amp;VESA DPMS (Windows 95-Standard)</translation>
    </message>
    <message>
        <source>&amp;NUTEK (blank screen)</source>
        <translation>&amp;NUTEK (Schwarzbild)</translation>
    </message>
    <message>
        <source>&amp;OFF</source>
        <translation>&amp;Aus</translation>
    </message>
    <message>
        <source>D&amp;etail Setting...</source>
        <translation>Detai&amp;ls...</translation>
    </message>
</context>
<context>
    <name>CVLinearityDlg</name>
    <message>
        <source>Vertical Linearity Adjustment</source>
        <translation>Vertikale Linearität</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>Linearity</source>
        <translation>Linearität</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Adjusts a CRT monitor over its serial maintenance cable.</source>
        <translation>Stellt einen Röhrenmonitor über sein serielles Wartungskabel ein.</translation>
    </message>
    <message>
        <source>Start without the start-up picture.</source>
        <translation>Ohne Startbild starten.</translation>
    </message>
    <message>
        <source>Save a picture of the screen to PATH once the window has settled, then close the program.</source>
        <translation>Ein Bild des Bildschirms unter PATH speichern, sobald das Fenster steht, und dann das Programm beenden.</translation>
    </message>
    <message>
        <source>What the screenshot shows: %1.</source>
        <translation>Was das Bildschirmfoto zeigt: %1.</translation>
    </message>
    <message>
        <source>A settings file (.qlt) to open.</source>
        <translation>Eine zu öffnende Einstellungsdatei (.qlt).</translation>
    </message>
    <message>
        <source>Only one settings file can be opened: %1</source>
        <translation>Es kann nur eine Einstellungsdatei geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Unknown screenshot target: %1</source>
        <translation>Unbekanntes Ziel für das Bildschirmfoto: %1</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Die Version des Programms anzeigen.</translation>
    </message>
</context>
<context>
    <name>NoMonitorBox</name>
    <message>
        <source>&amp;Choose Device...</source>
        <translation>Gerät &amp;wählen...</translation>
    </message>
</context>
<context>
    <name>PortChooser</name>
    <message>
        <source>Serial Device</source>
        <translation>Serielles Gerät</translation>
    </message>
    <message>
        <source>No serial adapter was found.</source>
        <translation>Es wurde kein serieller Adapter gefunden.</translation>
    </message>
    <message>
        <source>&amp;Device the monitor is connected to:</source>
        <translation>&amp;Gerät, an dem der Monitor angeschlossen ist:</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Vistrel Pro is already running but does not answer.</source>
        <translation>Vistrel Pro läuft bereits, antwortet aber nicht.</translation>
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
Qelt32-Dateien (*.qlt)
.qlt
Qelt32.Document
Vistrel Pro-Daten</translation>
    </message>
    <message>
        <source>Move the picture up and to the right</source>
        <translation>Bild nach rechts oben verschieben</translation>
    </message>
    <message>
        <source>Move the picture down and to the right</source>
        <translation>Bild nach rechts unten verschieben</translation>
    </message>
    <message>
        <source>Move the picture up and to the left</source>
        <translation>Bild nach links oben verschieben</translation>
    </message>
    <message>
        <source>Move the picture down and to the left</source>
        <translation>Bild nach links unten verschieben</translation>
    </message>
    <message>
        <source>Make the picture wider and taller</source>
        <translation>Bild breiter und höher machen</translation>
    </message>
    <message>
        <source>Make the picture wider and lower</source>
        <translation>Bild breiter und niedriger machen</translation>
    </message>
    <message>
        <source>Make the picture narrower and taller</source>
        <translation>Bild schmaler und höher machen</translation>
    </message>
    <message>
        <source>Make the picture narrower and lower</source>
        <translation>Bild schmaler und niedriger machen</translation>
    </message>
    <message>
        <source>Move the picture to the right</source>
        <translation>Bild nach rechts verschieben</translation>
    </message>
    <message>
        <source>Move the picture to the left</source>
        <translation>Bild nach links verschieben</translation>
    </message>
    <message>
        <source>Move the picture up</source>
        <translation>Bild nach oben verschieben</translation>
    </message>
    <message>
        <source>Move the picture down</source>
        <translation>Bild nach unten verschieben</translation>
    </message>
    <message>
        <source>Make the picture wider</source>
        <translation>Bild breiter machen</translation>
    </message>
    <message>
        <source>Make the picture narrower</source>
        <translation>Bild schmaler machen</translation>
    </message>
    <message>
        <source>Make the picture taller</source>
        <translation>Bild höher machen</translation>
    </message>
    <message>
        <source>Make the picture lower</source>
        <translation>Bild niedriger machen</translation>
    </message>
    <message>
        <source>Move size and position together when an edge or corner is dragged</source>
        <translation>Beim Ziehen einer Kante oder Ecke Größe und Lage gemeinsam ändern</translation>
    </message>
    <message>
        <source>Adjust the moiré reduction</source>
        <translation>Moiré-Unterdrückung einstellen</translation>
    </message>
    <message>
        <source>Adjust the convergence</source>
        <translation>Konvergenz einstellen</translation>
    </message>
    <message>
        <source>Adjust the vertical linearity</source>
        <translation>Vertikale Linearität einstellen</translation>
    </message>
    <message>
        <source>Move two distortion values together when a side or corner is dragged</source>
        <translation>Beim Ziehen einer Seite oder Ecke zwei Verzerrungswerte gemeinsam ändern</translation>
    </message>
    <message>
        <source>Show how the screen adjustment works</source>
        <translation>Erklären, wie die Bildschirmeinstellung funktioniert</translation>
    </message>
    <message>
        <source>Keep the adjustment and leave the screen adjustment</source>
        <translation>Einstellung übernehmen und Bildschirmeinstellung beenden</translation>
    </message>
    <message>
        <source>Undo the adjustment and leave the screen adjustment</source>
        <translation>Einstellung verwerfen und Bildschirmeinstellung beenden</translation>
    </message>
    <message>
        <source>Removing magnetic-field effect from the monitor.
Degaussing</source>
        <translation>Beseitigt Magnetfeldeinflüsse am Monitor.
Entmagnetisieren</translation>
    </message>
    <message>
        <source>Auto-Adjustment of Size and Geometry
Auto-Sizing</source>
        <translation>Automatische Einstellung von Größe und Geometrie
Auto-Sizing</translation>
    </message>
    <message>
        <source>Switch the input signal to D-SUB
D-SUB</source>
        <translation>Eingangssignal auf D-SUB umschalten
D-SUB</translation>
    </message>
    <message>
        <source>Switch the input signal to BNC
BNC</source>
        <translation>Eingangssignal auf BNC umschalten
BNC</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode1
Color Mode1</source>
        <translation>Farbmodus auf Modus 1 umschalten
Farbmodus 1</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode2
Color Mode2</source>
        <translation>Farbmodus auf Modus 2 umschalten
Farbmodus 2</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode3
Color Mode3</source>
        <translation>Farbmodus auf Modus 3 umschalten
Farbmodus 3</translation>
    </message>
    <message>
        <source>ON and OFF the beep function of the monitor
Beep</source>
        <translation>Signalton des Monitors ein- und ausschalten
Signalton</translation>
    </message>
    <message>
        <source>Beep ON
ON</source>
        <translation>Signalton ein
Ein</translation>
    </message>
    <message>
        <source>Beep OFF
OFF</source>
        <translation>Signalton aus
Aus</translation>
    </message>
    <message>
        <source>Detect the input signal port</source>
        <translation>Signaleingang automatisch erkennen</translation>
    </message>
    <message>
        <source>Not to detect the input signal port</source>
        <translation>Signaleingang nicht automatisch erkennen</translation>
    </message>
    <message>
        <source>Reset all adjustment values to default</source>
        <translation>Alle Einstellwerte auf die Werkseinstellung zurücksetzen</translation>
    </message>
    <message>
        <source>Reset the adjustment value of size etc. to default</source>
        <translation>Größe, Lage und Verzerrung auf die Werkseinstellung zurücksetzen</translation>
    </message>
    <message>
        <source>Reset the adjustment value of convergence etc. to default</source>
        <translation>Konvergenz, Drehung und Moiré auf die Werkseinstellung zurücksetzen</translation>
    </message>
    <message>
        <source>Reset the color adjustment value to default</source>
        <translation>Farbeinstellung auf die Werkseinstellung zurücksetzen</translation>
    </message>
    <message>
        <source>Store the current adjustment value in monitor&apos;s memory
Store to Memory</source>
        <translation>Aktuelle Einstellung im Speicher des Monitors ablegen
Speichern im Monitor</translation>
    </message>
    <message>
        <source>Detect input signal port with priority on D-SUB</source>
        <translation>Signaleingang erkennen, D-SUB bevorzugt</translation>
    </message>
    <message>
        <source>Detect input signal port with priority on BNC</source>
        <translation>Signaleingang erkennen, BNC bevorzugt</translation>
    </message>
    <message>
        <source>Select input signal manually</source>
        <translation>Eingangssignal von Hand wählen</translation>
    </message>
    <message>
        <source>Vistrel Pro</source>
        <translation>Vistrel Pro</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Load monitor settings from a file
Open</source>
        <translation>Monitoreinstellungen aus einer Datei laden
Öffnen</translation>
    </message>
    <message>
        <source>Save the monitor settings to the file
Save</source>
        <translation>Monitoreinstellungen in der Datei speichern
Speichern</translation>
    </message>
    <message>
        <source>Save the monitor settings to a new file
Save As</source>
        <translation>Monitoreinstellungen in einer neuen Datei speichern
Speichern unter</translation>
    </message>
    <message>
        <source>Load the settings of this file</source>
        <translation>Einstellungen dieser Datei laden</translation>
    </message>
    <message>
        <source>Show the program&apos;s name, version and monitor protocol
About</source>
        <translation>Name, Version und Monitorprotokoll des Programms anzeigen
Info</translation>
    </message>
    <message>
        <source>Leave the program
Exit</source>
        <translation>Programm beenden
Beenden</translation>
    </message>
    <message>
        <source>List the help topics
Help Topics</source>
        <translation>Hilfethemen anzeigen
Hilfethemen</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>Running Auto-Sizing now.
Please wait a moment.</source>
        <translation>Auto-Sizing läuft.
Bitte einen Moment warten.</translation>
    </message>
    <message>
        <source>Monitor and the computer may not be connected correctly.
Please check the connection of the maintenance cable referring to the User*s Manual of the Vistrel Pro.</source>
        <translation>Monitor und Computer sind möglicherweise nicht richtig verbunden.
Bitte prüfen Sie den Anschluss des Wartungskabels anhand des Benutzerhandbuchs von Vistrel Pro.</translation>
    </message>
    <message>
        <source>Communication failure.
Please check connection of the maintenance cable. </source>
        <translation>Kommunikationsfehler.
Bitte prüfen Sie den Anschluss des Wartungskabels. </translation>
    </message>
    <message>
        <source>Monitor data is changed.
Do you want to save the setting?</source>
        <translation>Die Monitordaten wurden geändert.
Möchten Sie die Einstellung behalten?</translation>
    </message>
    <message>
        <source>Adjust monitor to eliminate red and blue tinges of the purple lines on the screen.</source>
        <translation>Stellen Sie den Monitor so ein, dass die violetten Linien auf dem Bildschirm keine roten und blauen Säume mehr zeigen.</translation>
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
        <translation>Die Daten der gewählten Datei gehören nicht zu diesem Monitor. Sie können nicht geladen werden.</translation>
    </message>
    <message>
        <source>The screen data of this file is not available for this monitor. It cannot be loaded.</source>
        <translation>Die Bilddaten dieser Datei passen nicht zu diesem Monitor. Sie können nicht geladen werden.</translation>
    </message>
    <message>
        <source>The file for the animated cursor cannot be found.
Please re-install the program.</source>
        <translation>Die Datei für den animierten Mauszeiger wurde nicht gefunden.
Bitte installieren Sie das Programm neu.</translation>
    </message>
    <message>
        <source>Auto-Sizing</source>
        <translation>Auto-Sizing</translation>
    </message>
    <message>
        <source>Monitor Communication Protocol Revision %S</source>
        <translation>Monitor-Kommunikationsprotokoll Revision %S</translation>
    </message>
    <message>
        <source>To use combination function of screen adjustment, it is necessity to copy DISPLAY1.INI file to Vistrel Pro installed directory from QURE Monitor Information Disk, which is attached with the monitor package.</source>
        <translation>Um die Kombinationsfunktion der Bildschirmeinstellung zu nutzen, kopieren Sie die Datei DISPLAY1.INI von der QURE Monitor Information Disk, die dem Monitor beiliegt, in das Installationsverzeichnis von Vistrel Pro.</translation>
    </message>
    <message>
        <source>Please adjust the purple lines not to have a color separation as follows. The vertical adjustment can be operated independently in each screen area: whole, top and bottom.<byte value="xd"/>
<byte value="xd"/>
1. Horizontal and Vertical Convergence Adjustment in the screen center.<byte value="xd"/>
2. Vertical Convergence Adjustment in the top and the bottom of the screen.</source>
        <translation>Stellen Sie die violetten Linien wie folgt so ein, dass keine Farbsäume entstehen. Die vertikale Einstellung ist für jeden Bildbereich getrennt möglich: ganzes Bild, oben und unten.<byte value="xd"/>
<byte value="xd"/>
1. Horizontale und vertikale Konvergenz in der Bildmitte einstellen.<byte value="xd"/>
2. Vertikale Konvergenz am oberen und unteren Bildrand einstellen.</translation>
    </message>
    <message>
        <source>&amp;Screen Data</source>
        <translation>&amp;Bilddaten</translation>
    </message>
    <message>
        <source>&amp;Color Data</source>
        <translation>&amp;Farbdaten</translation>
    </message>
    <message>
        <source>&amp;PowerWarden Data</source>
        <translation>&amp;PowerWarden-Daten</translation>
    </message>
    <message>
        <source>Vistrel Pro program can not be used with the LCD display.</source>
        <translation>Das Programm Vistrel Pro kann nicht mit einem LCD-Bildschirm verwendet werden.</translation>
    </message>
    <message>
        <source>The help file %1 cannot be found.
Please re-install the program.</source>
        <translation>Die Hilfedatei %1 wurde nicht gefunden.
Bitte installieren Sie das Programm neu.</translation>
    </message>
    <message>
        <source>No help is available for this item.</source>
        <translation>Für dieses Element gibt es keine Hilfe.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Das Dokument konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Das Dokument konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation>Unerwartetes Dateiformat.</translation>
    </message>
    <message>
        <source>%1
Cannot find this file.
Please verify that the correct path and file name are given.</source>
        <translation>%1
Diese Datei wurde nicht gefunden.
Bitte prüfen Sie, ob Pfad und Dateiname stimmen.</translation>
    </message>
    <message>
        <source>Destination disk drive is full.</source>
        <translation>Das Ziellaufwerk ist voll.</translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation>%1 kann nicht gelesen werden, die Datei ist von einem anderen Programm geöffnet.</translation>
    </message>
    <message>
        <source>Unable to write to %1, it is read-only or opened by someone else.</source>
        <translation>In %1 kann nicht geschrieben werden, die Datei ist schreibgeschützt oder von einem anderen Programm geöffnet.</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to.
Please save the file in another folder.</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden.
Bitte speichern Sie die Datei in einem anderen Ordner.</translation>
    </message>
    <message>
        <source>The scan frequencies of the monitor could not be read, so the file cannot be saved.
Please check connection of the maintenance cable.</source>
        <translation>Die Abtastfrequenzen des Monitors konnten nicht gelesen werden, daher kann die Datei nicht gespeichert werden.
Bitte prüfen Sie den Anschluss des Wartungskabels.</translation>
    </message>
    <message>
        <source>The monitor is disconnected: %1
The values shown are what it last held. The program goes on as soon as the monitor answers again.</source>
        <translation>Die Verbindung zum Monitor ist getrennt: %1
Angezeigt werden die Werte, die er zuletzt hatte. Das Programm arbeitet weiter, sobald der Monitor wieder antwortet.</translation>
    </message>
    <message>
        <source>The monitor is disconnected, so the changed settings were not stored in it.</source>
        <translation>Die Verbindung zum Monitor ist getrennt, daher wurden die geänderten Einstellungen nicht im Monitor gespeichert.</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>The monitor answers again.</source>
        <translation>Der Monitor antwortet wieder.</translation>
    </message>
    <message>
        <source>A monitor with another serial number (%1) answers now.
Do you want to adjust this monitor?</source>
        <translation>Jetzt antwortet ein Monitor mit einer anderen Seriennummer (%1).
Möchten Sie diesen Monitor einstellen?</translation>
    </message>
    <message>
        <source>The profile %1 has a format error in line %2. Its settings are read as far as they can be, and the file is left as it is.</source>
        <translation>Das Profil %1 hat in Zeile %2 einen Formatfehler. Seine Einstellungen werden gelesen, soweit es geht, und die Datei bleibt, wie sie ist.</translation>
    </message>
    <message>
        <source>The profile %1 is not a readable file of a usable size. It is left as it is, and settings changed now are not kept.</source>
        <translation>Das Profil %1 ist keine lesbare Datei brauchbarer Größe. Es bleibt, wie es ist, und jetzt geänderte Einstellungen werden nicht behalten.</translation>
    </message>
    <message>
        <source>Choose the serial device the monitor is connected to
Serial Port</source>
        <translation>Wählt das serielle Gerät, an dem der Monitor angeschlossen ist
Serieller Anschluss</translation>
    </message>
    <message>
        <source>No monitor could be used on the chosen device, so the program goes on as before.
%1</source>
        <translation>Auf dem gewählten Gerät konnte kein Monitor verwendet werden, daher arbeitet das Programm wie bisher weiter.
%1</translation>
    </message>
    <message>
        <source>The monitor on the chosen device is another model (%1), for which the windows of this run are not made.
Please start the program again to adjust it.</source>
        <translation>Der Monitor am gewählten Gerät ist ein anderes Modell (%1), für das die Fenster dieses Laufs nicht gemacht sind.
Bitte starten Sie das Programm erneut, um ihn einzustellen.</translation>
    </message>
    <message>
        <source>Now adjusting the monitor on %1.</source>
        <translation>Jetzt wird der Monitor an %1 eingestellt.</translation>
    </message>
    <message>
        <source>The screen of the full-screen adjustment was removed or changed, so the adjustment was cancelled.</source>
        <translation>Der Bildschirm der Vollbildeinstellung wurde entfernt oder geändert, daher wurde die Einstellung abgebrochen.</translation>
    </message>
    <message>
        <source>The pointer stops at the edge of the screen: use the arrow keys to move this handle further.</source>
        <translation>Der Mauszeiger hält am Bildschirmrand an: Bewegen Sie diesen Griff mit den Pfeiltasten weiter.</translation>
    </message>
</context>
</TS>
