<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AdapterGone</name>
    <message>
        <source>Does not find the DV Brisel (Relavox)</source>
        <translation>DV Brisel (Relavox) nicht gefunden</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) was found, but it cannot be opened: no permission to use the USB device.

See &quot;Access to the adapter&quot; in the README.</source>
        <translation>Der DV Brisel (Relavox) wurde gefunden, lässt sich aber nicht öffnen: keine Berechtigung für das USB-Gerät.

Siehe „Access to the adapter“ in der README.</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is on the USB bus, but its device node is missing: it was unplugged just now, or this system has no /dev/bus/usb.

Plug the adapter in again; in a container, give it the adapter&apos;s device node.</source>
        <translation>Der DV Brisel (Relavox) ist am USB-Bus, aber seine Gerätedatei fehlt: Er wurde gerade abgezogen, oder dieses System hat kein /dev/bus/usb.

Stecken Sie den Adapter wieder ein; in einem Container reichen Sie die Gerätedatei des Adapters an den Container durch.</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is no longer connected.

Nothing more was sent to it, and the dialog still shows what you entered. Plug the adapter in again: the program finds it the next time you choose a menu item.</source>
        <translation>Der DV Brisel (Relavox) ist nicht mehr angeschlossen.

Es wurde nichts mehr an ihn gesendet, und der Dialog zeigt weiterhin Ihre Eingaben. Stecken Sie den Adapter wieder ein: Das Programm findet ihn, sobald Sie das nächste Mal einen Menüpunkt wählen.</translation>
    </message>
    <message>
        <source>at an unknown USB port (device %1)</source>
        <translation>an einem unbekannten USB-Port (Gerät %1)</translation>
    </message>
    <message>
        <source>at USB port %1 (device %2)</source>
        <translation>am USB-Port %1 (Gerät %2)</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) in use, %1, is no longer connected.

Nothing was sent: the program does not change to another adapter by itself. Adapters connected now:%2

Plug the adapter in again: the program finds it the next time you choose a menu item. To use another adapter, start the program again.</source>
        <translation>Der verwendete DV Brisel (Relavox) %1 ist nicht mehr angeschlossen.

Es wurde nichts gesendet: Das Programm wechselt nicht von selbst zu einem anderen Adapter. Jetzt angeschlossene Adapter:%2

Stecken Sie den Adapter wieder ein: Das Programm findet ihn, sobald Sie das nächste Mal einen Menüpunkt wählen. Um einen anderen Adapter zu verwenden, starten Sie das Programm neu.</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) in use, %1, is no longer connected.

Nothing was sent: the program does not change to another adapter by itself. Adapters connected now:%2

Plug the adapter in again at USB port %3: the program finds it the next time you choose a menu item. To use another adapter, start the program again.</source>
        <translation>Der verwendete DV Brisel (Relavox) %1 ist nicht mehr angeschlossen.

Es wurde nichts gesendet: Das Programm wechselt nicht von selbst zu einem anderen Adapter. Jetzt angeschlossene Adapter:%2

Stecken Sie den Adapter wieder in den USB-Port %3 ein: Das Programm findet ihn, sobald Sie das nächste Mal einen Menüpunkt wählen. Um einen anderen Adapter zu verwenden, starten Sie das Programm neu.</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>Prozess %1</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (Prozess %2)</translation>
    </message>
    <message>
        <source>No DV Brisel (Relavox) at %1.</source>
        <translation>Unter %1 wurde kein DV Brisel (Relavox) gefunden.</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is in use by another program.

Nothing was sent to it. Try again when that program has finished.</source>
        <translation>Der DV Brisel (Relavox) wird von einem anderen Programm verwendet.

Es wurde nichts an ihn gesendet. Versuchen Sie es erneut, sobald das andere Programm beendet ist.</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is in use by another program, %1.

Nothing was sent to it. Try again when that program has finished.</source>
        <translation>Der DV Brisel (Relavox) wird von einem anderen Programm verwendet: %1.

Es wurde nichts an ihn gesendet. Versuchen Sie es erneut, sobald das andere Programm beendet ist.</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is no longer connected.

Nothing more was sent to it. Plug the adapter in again: the program finds it the next time you choose a menu item.</source>
        <translation>Der DV Brisel (Relavox) ist nicht mehr angeschlossen.

Es wurde nichts mehr an ihn gesendet. Stecken Sie den Adapter wieder ein: Das Programm findet ihn, sobald Sie das nächste Mal einen Menüpunkt wählen.</translation>
    </message>
</context>
<context>
    <name>AdapterMenu</name>
    <message>
        <source>&amp;Adapter</source>
        <translation>&amp;Adapter</translation>
    </message>
    <message>
        <source>at an unknown USB port (device %1)</source>
        <translation>Unbekannter USB-Port (Gerät %1)</translation>
    </message>
    <message>
        <source>at USB port %1 (device %2)</source>
        <translation>USB-Port %1 (Gerät %2)</translation>
    </message>
    <message>
        <source>%1, in use by another program</source>
        <translation>%1, von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>%1, in use by %2</source>
        <translation>%1, belegt von %2</translation>
    </message>
</context>
<context>
    <name>FileProblem</name>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 bits</source>
        <translation>%1 Bit</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text: it holds the byte %2; give the text in UTF-8.</source>
        <translation>%1 ist kein UTF-8-Text: Er enthält das Byte %2. Bitte geben Sie den Text in UTF-8 an.</translation>
    </message>
    <message>
        <source>%1 holds a character the adapter cannot keep: it keeps Latin-1, one byte per character.</source>
        <translation>%1 enthält ein Zeichen, das der Adapter nicht speichern kann: Er speichert Latin-1, ein Byte je Zeichen.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not one of %3.</source>
        <translation>%1: „%2“ ist keiner der Werte %3.</translation>
    </message>
    <message>
        <source>%1 holds a NUL character.</source>
        <translation>%1 enthält ein NUL-Zeichen.</translation>
    </message>
    <message>
        <source>%1 is %2 characters long; the adapter keeps at most %3.</source>
        <translation>%1 ist %2 Zeichen lang; der Adapter speichert höchstens %3.</translation>
    </message>
    <message>
        <source>%1: %2 is outside 0 to %3; the adapter holds at most %4.</source>
        <translation>%1: %2 liegt außerhalb von 0 bis %3; der Adapter speichert höchstens %4.</translation>
    </message>
    <message>
        <source>%1: %2 is outside 0 to %3.</source>
        <translation>%1: %2 liegt außerhalb von 0 bis %3.</translation>
    </message>
    <message>
        <source>%1: %2 is not a multiple of %3; the adapter keeps it in steps of %3.</source>
        <translation>%1: %2 ist kein Vielfaches von %3; der Adapter speichert den Wert in Schritten von %3.</translation>
    </message>
    <message>
        <source>%1: %2 is not one of %3.</source>
        <translation>%1: %2 ist keiner der Werte %3.</translation>
    </message>
    <message>
        <source>%1: %2 is outside 00 to FF.</source>
        <translation>%1: %2 liegt außerhalb von 00 bis FF.</translation>
    </message>
    <message>
        <source>%1: code %2 has no button; give one of %3.</source>
        <translation>%1: Zu Code %2 gibt es keine Schaltfläche; bitte geben Sie einen der Werte %3 an.</translation>
    </message>
    <message>
        <source>%1 wants true or false.</source>
        <translation>%1 erwartet true oder false.</translation>
    </message>
    <message>
        <source>%1 wants a text in quotes.</source>
        <translation>%1 erwartet einen Text in Anführungszeichen.</translation>
    </message>
    <message>
        <source>%1 wants a whole number.</source>
        <translation>%1 erwartet eine ganze Zahl.</translation>
    </message>
    <message>
        <source>A key or table name has more than %1 dotted parts; a settings key has two.</source>
        <translation>Ein Schlüssel- oder Tabellenname hat mehr als %1 durch Punkte getrennte Teile; ein Einstellungsschlüssel hat zwei.</translation>
    </message>
    <message>
        <source>The format line is missing: a settings file begins with format = 1.</source>
        <translation>Die Formatzeile fehlt: Eine Einstellungsdatei beginnt mit format = 1.</translation>
    </message>
    <message>
        <source>The format is not a whole number.</source>
        <translation>Das Format ist keine ganze Zahl.</translation>
    </message>
    <message>
        <source>Format %1 is written by a newer program; this program reads format %2.</source>
        <translation>Format %1 stammt von einem neueren Programm; dieses Programm liest Format %2.</translation>
    </message>
    <message>
        <source>Format %1 is unknown; this program reads format %2.</source>
        <translation>Format %1 ist unbekannt; dieses Programm liest Format %2.</translation>
    </message>
    <message>
        <source>Unknown table or key %1.</source>
        <translation>Unbekannte Tabelle oder unbekannter Schlüssel %1.</translation>
    </message>
    <message>
        <source>%1 must be a table.</source>
        <translation>%1 muss eine Tabelle sein.</translation>
    </message>
    <message>
        <source>Unknown key %1.</source>
        <translation>Unbekannter Schlüssel %1.</translation>
    </message>
    <message>
        <source>%1 are one setting of the adapter: give all six or none.</source>
        <translation>%1 sind eine einzige Einstellung des Adapters: Geben Sie alle sechs an oder keine.</translation>
    </message>
    <message>
        <source>%1: not a value (%2).</source>
        <translation>%1: kein Wert (%2).</translation>
    </message>
    <message>
        <source>%1: more than one value.</source>
        <translation>%1: mehr als ein Wert.</translation>
    </message>
    <message>
        <source>%1: the GPS keys are one setting of the adapter, and it was not read.</source>
        <translation>%1: Die GPS-Schlüssel sind eine einzige Einstellung des Adapters, und diese wurde nicht gelesen.</translation>
    </message>
    <message>
        <source>The file</source>
        <translation>Die Datei</translation>
    </message>
    <message>
        <source>The file is not TOML from column %1 of this line on.</source>
        <translation>Ab Spalte %1 dieser Zeile ist die Datei kein TOML.</translation>
    </message>
</context>
<context>
    <name>GroupSave</name>
    <message>
        <source>The DV Brisel (Relavox) was lost in the middle of the Save, so %1 may be half written.</source>
        <translation>Die Verbindung zum DV Brisel (Relavox) brach mitten im Speichern ab; %1 ist daher vielleicht nur zum Teil geschrieben.</translation>
    </message>
    <message>
        <source>The dialog still shows what you entered. Plug the adapter in again and save again: until then the record of the Save stays, and the program tells of it when it starts.</source>
        <translation>Der Dialog zeigt weiterhin Ihre Eingaben. Stecken Sie den Adapter wieder ein und speichern Sie erneut: Bis dahin bleibt das Schreibprotokoll des Speicherns erhalten, und das Programm weist beim Start darauf hin.</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) found again %1 holds other settings than the one this dialog read: it is another adapter, or its settings were changed meanwhile.

Nothing was written, and the dialog still shows what you entered. %2 shows what the adapter holds.</source>
        <translation>Der wieder gefundene DV Brisel (Relavox) %1 enthält andere Einstellungen als der, den dieser Dialog gelesen hat: Es ist ein anderer Adapter, oder seine Einstellungen wurden inzwischen geändert.

Es wurde nichts geschrieben, und der Dialog zeigt weiterhin Ihre Eingaben. %2 zeigt, was der Adapter enthält.</translation>
    </message>
    <message>
        <source>at the same place</source>
        <translation>am selben Anschluss</translation>
    </message>
    <message>
        <source>Reached the adapter: %1.</source>
        <translation>Beim Adapter angekommen: %1.</translation>
    </message>
    <message>
        <source>May have reached it: %1.</source>
        <translation>Vielleicht angekommen: %1.</translation>
    </message>
    <message>
        <source>Never sent: %1.</source>
        <translation>Nie gesendet: %1.</translation>
    </message>
</context>
<context>
    <name>NotTaken</name>
    <message>
        <source>%1: sent %2, the adapter holds %3</source>
        <translation>%1: %2 gesendet, der Adapter meldet %3</translation>
    </message>
    <message>
        <source>%1: sent %2, the adapter refused it</source>
        <translation>%1: %2 gesendet, vom Adapter abgelehnt</translation>
    </message>
    <message>
        <source>%1: not sent</source>
        <translation>%1: nicht gesendet</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>(nicht gelesen)</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source> (demo)</source>
        <translation> (Demo)</translation>
    </message>
</context>
<context>
    <name>ProgramRun</name>
    <message>
        <source>The program ran out of memory; what it was doing was not finished.</source>
        <translation>Dem Programm ging der Speicher aus; der laufende Vorgang wurde nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>An unexpected error stopped what the program was doing; it was not finished.</source>
        <translation>Ein unerwarteter Fehler hat den laufenden Vorgang abgebrochen; er wurde nicht abgeschlossen.</translation>
    </message>
</context>
<context>
    <name>QtHost</name>
    <message>
        <source>Settings files (*.toml);;All files (*)</source>
        <translation>Einstellungsdateien (*.toml);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Brisel Setting</source>
        <translation>Brisel-Einstellungen</translation>
    </message>
</context>
<context>
    <name>SettingsFileActions</name>
    <message>
        <source>The adapter did not answer for these settings, so %1:</source>
        <translation>Der Adapter hat für diese Einstellungen nicht geantwortet, daher %1:</translation>
    </message>
    <message>
        <source>The adapter now holds the settings of the file.</source>
        <translation>Der Adapter enthält jetzt die Einstellungen der Datei.</translation>
    </message>
    <message>
        <source>Save settings to file</source>
        <translation>Einstellungen in Datei speichern</translation>
    </message>
    <message>
        <source>the file was not written</source>
        <translation>wurde die Datei nicht geschrieben</translation>
    </message>
    <message>
        <source>The adapter&apos;s settings were saved to %1.</source>
        <translation>Die Einstellungen des Adapters wurden in %1 gespeichert.</translation>
    </message>
    <message>
        <source>The file was not written: %1</source>
        <translation>Die Datei wurde nicht geschrieben: %1</translation>
    </message>
    <message>
        <source>Load settings from file</source>
        <translation>Einstellungen aus Datei laden</translation>
    </message>
    <message>
        <source>The file cannot be loaded; nothing was written.

%1</source>
        <translation>Die Datei kann nicht geladen werden; es wurde nichts geschrieben.

%1</translation>
    </message>
    <message>
        <source>The adapter&apos;s firmware lacks %1, which the file holds. Nothing was written.</source>
        <translation>Die Datei enthält Einstellungen, die die Firmware des Adapters nicht hat: %1. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation>wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>The file&apos;s settings cannot be written:%1

Nothing was written.</source>
        <translation>Die Einstellungen der Datei können nicht geschrieben werden:%1

Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The adapter already holds the settings of the file.</source>
        <translation>Der Adapter enthält die Einstellungen der Datei bereits.</translation>
    </message>
    <message>
        <source>Loading the file changes these settings in the adapter:%1</source>
        <translation>Das Laden der Datei ändert diese Einstellungen im Adapter:%1</translation>
    </message>
    <message>
        <source>

Bits 7 and 4 of the flag byte cannot be changed; they stay as they are.</source>
        <translation>

Die Bits 7 und 4 des Flag-Bytes lassen sich nicht ändern und bleiben unverändert.</translation>
    </message>
    <message>
        <source>

The adapter&apos;s present settings are saved first, in %1.

Write the changes to the adapter?</source>
        <translation>

Die aktuellen Einstellungen des Adapters werden zuerst in %1 gesichert.

Möchten Sie die Änderungen in den Adapter schreiben?</translation>
    </message>
    <message>
        <source>The automatic backup cannot be saved, so nothing was written: %1</source>
        <translation>Die automatische Sicherung kann nicht gespeichert werden, daher wurde nichts geschrieben: %1</translation>
    </message>
    <message>
        <source>Written completely before the adapter was lost: %1.%2</source>
        <translation>Vollständig geschrieben, bevor die Verbindung zum Adapter abbrach: %1.%2</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source> Partly written: %1; load the file again.</source>
        <translation> Teilweise geschrieben: %1; laden Sie die Datei erneut.</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 bits</source>
        <translation>%1 Bit</translation>
    </message>
    <message>
        <source>%1 holds the control character %2; a text holds none from 0x00 to 0x1F or 0x7F to 0x9F.</source>
        <translation>%1 enthält das Steuerzeichen %2; ein Text darf keine Zeichen von 0x00 bis 0x1F oder 0x7F bis 0x9F enthalten.</translation>
    </message>
    <message>
        <source>%1: %2 is outside 0 to %3; a value beyond is kept only where the adapter holds it already, and it holds %4.</source>
        <translation>%1: %2 liegt außerhalb von 0 bis %3; ein höherer Wert ist nur zulässig, wenn der Adapter ihn bereits enthält, und der Adapter meldet %4.</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>(nicht gelesen)</translation>
    </message>
    <message>
        <source>
Not sent: %1.</source>
        <translation>
Nicht gesendet: %1.</translation>
    </message>
    <message>
        <source>%1 = OFF needs %2 above 0; the adapter holds %2 = 0.</source>
        <translation>Ist %1 ausgeschaltet, muss %2 größer als 0 sein; der Adapter meldet %2 = 0.</translation>
    </message>
    <message>
        <source>%1 = 0 needs %2 = ON; the adapter holds %2 = OFF.</source>
        <translation>Für %1 = 0 muss %2 eingeschaltet sein; laut Adapter ist %2 ausgeschaltet.</translation>
    </message>
    <message>
        <source>%1 = 0 needs %2 = ON; line %3 sets %2 = OFF.</source>
        <translation>Für %1 = 0 muss %2 eingeschaltet sein; Zeile %3 schaltet %2 aus.</translation>
    </message>
    <message>
        <source>%1 = 0 needs %2 = ON.</source>
        <translation>Für %1 = 0 muss %2 eingeschaltet sein.</translation>
    </message>
    <message>
        <source>No automatic backup yet</source>
        <translation>Noch keine automatische Sicherung</translation>
    </message>
    <message>
        <source>&amp;All automatic backups...</source>
        <translation>&amp;Alle automatischen Sicherungen...</translation>
    </message>
    <message>
        <source>Load an automatic backup</source>
        <translation>Automatische Sicherung laden</translation>
    </message>
    <message>
        <source>The program was asked to end, so the file was loaded only in part. Written completely: %1. Not written: %2; load the file again.</source>
        <translation>Das Programm wurde zum Beenden aufgefordert, daher wurde die Datei nur zum Teil geladen. Vollständig geschrieben: %1. Nicht geschrieben: %2; laden Sie die Datei erneut.</translation>
    </message>
    <message>
        <source>No record of the write can be kept, so nothing was written: %1</source>
        <translation>Es kann kein Schreibprotokoll des Schreibvorgangs angelegt werden, daher wurde nichts geschrieben: %1</translation>
    </message>
    <message>
        <source>This file is the record of a write onto another adapter, not onto the one in use. Loading it here puts that adapter&apos;s settings onto this one.</source>
        <translation>Diese Datei ist das Schreibprotokoll eines Schreibvorgangs auf einen anderen Adapter, nicht auf den verwendeten. Wenn Sie sie hier laden, kommen die Einstellungen jenes Adapters auf diesen.</translation>
    </message>
    <message>
        <source>This file is the automatic backup of another adapter, not of the one in use. Loading it here puts that adapter&apos;s settings onto this one.</source>
        <translation>Diese Datei ist die automatische Sicherung eines anderen Adapters, nicht des verwendeten. Wenn Sie sie hier laden, kommen die Einstellungen jenes Adapters auf diesen.</translation>
    </message>
    <message>
        <source>Until %1 is written completely, the record of the Load stays, and the program tells of it when it starts.</source>
        <translation>Bis %1 vollständig geschrieben ist, bleibt das Schreibprotokoll des Ladens erhalten, und das Programm weist beim Start darauf hin.</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is no longer connected; nothing more was sent to it.</source>
        <translation>Der DV Brisel (Relavox) ist nicht mehr angeschlossen; es wurde nichts mehr an ihn gesendet.</translation>
    </message>
</context>
<context>
    <name>StoreProblem</name>
    <message>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>%1 is not a regular file; it is left as it is.</source>
        <translation>%1 ist keine gewöhnliche Datei; sie bleibt unverändert.</translation>
    </message>
    <message>
        <source>%1 exists already.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
    <message>
        <source>%1 exists already, and so do the names before it.</source>
        <translation>%1 existiert bereits, ebenso die Namen davor.</translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation>%1 ist kein Ordner.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>%1 holds more than %2 bytes; a settings file holds at most %2 bytes.</source>
        <translation>%1 ist größer als %2 Byte; eine Einstellungsdatei hat höchstens %2 Byte.</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes; a settings file holds at most %3 bytes.</source>
        <translation>%1 hat %2 Byte; eine Einstellungsdatei hat höchstens %3 Byte.</translation>
    </message>
    <message>
        <source>The folder for the program&apos;s state, %1, has a name that is not UTF-8; set %2 to a folder whose name is UTF-8.</source>
        <translation>Der Name des Ordners für den Zustand des Programms, %1, ist kein UTF-8; setzen Sie %2 auf einen Ordner, dessen Name UTF-8 ist.</translation>
    </message>
    <message>
        <source>There is no folder for the program&apos;s state: HOME is not set.</source>
        <translation>Es gibt keinen Ordner für den Zustand des Programms: HOME ist nicht gesetzt.</translation>
    </message>
    <message>
        <source>There is no folder for the program&apos;s state: HOME is not an absolute path (%1); set HOME or XDG_STATE_HOME to one.</source>
        <translation>Es gibt keinen Ordner für den Zustand des Programms: HOME ist kein absoluter Pfad (%1); setzen Sie HOME oder XDG_STATE_HOME auf einen.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>The record of an earlier write cannot be read: %1</source>
        <translation>Das Schreibprotokoll eines früheren Schreibvorgangs lässt sich nicht lesen: %1</translation>
    </message>
</context>
<context>
    <name>TAutoDetect</name>
    <message>
        <source>Basic Infomation Setting</source>
        <translation>Grundeinstellungen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>Verzögerungszeit</translation>
    </message>
    <message>
        <source>mSec.</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Time Out</source>
        <translation>Timeout</translation>
    </message>
    <message>
        <source>Sec.</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Keep Alive</source>
        <translation>Keep-Alive</translation>
    </message>
    <message>
        <source>Resync Error Bits</source>
        <translation>Resync-Fehlerbits</translation>
    </message>
    <message>
        <source>(0 - 24)</source>
        <translation>(0 - 24)</translation>
    </message>
    <message>
        <source>Last Frame Error Bits</source>
        <translation>Fehlerbits im letzten Frame</translation>
    </message>
    <message>
        <source>CRC Check</source>
        <translation>CRC-Prüfung</translation>
    </message>
    <message>
        <source>Last Frame Send</source>
        <translation>Letzten Frame senden</translation>
    </message>
    <message>
        <source>Full/Half Duplex</source>
        <translation>Voll-/Halbduplex</translation>
    </message>
    <message>
        <source>PreBitPattern</source>
        <translation>Pre-Bitmuster</translation>
    </message>
    <message>
        <source>recommended F0</source>
        <translation>empfohlen: F0</translation>
    </message>
    <message>
        <source>PostBitPattern</source>
        <translation>Post-Bitmuster</translation>
    </message>
    <message>
        <source>recommended 66</source>
        <translation>empfohlen: 66</translation>
    </message>
    <message>
        <source>Auto RX Polarity </source>
        <translation>RX-Polarität automatisch</translation>
    </message>
    <message>
        <source>RX Invert</source>
        <translation>RX invertieren</translation>
    </message>
    <message>
        <source>TX Invert</source>
        <translation>TX invertieren</translation>
    </message>
    <message>
        <source>S/N Squelch</source>
        <translation>S/N-Squelch</translation>
    </message>
    <message>
        <source>(0 - 1023)</source>
        <translation>(0 - 1023)</translation>
    </message>
    <message>
        <source>COS Check</source>
        <translation>COS-Prüfung</translation>
    </message>
    <message>
        <source>Jitter Buffer Size</source>
        <translation>Jitterpuffer-Größe</translation>
    </message>
    <message>
        <source>(0-255)</source>
        <translation>(0-255)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>E&amp;rneut lesen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Schli&amp;eßen</translation>
    </message>
    <message>
        <source>Invalid character in Delay Time</source>
        <translation>Ungültiges Zeichen im Feld „Verzögerungszeit“</translation>
    </message>
    <message>
        <source>Invalid value in Delay Time (Max. value is %1 mSec.)</source>
        <translation>Ungültiger Wert im Feld „Verzögerungszeit“ (Höchstwert %1 ms)</translation>
    </message>
    <message>
        <source>Invalid character in Time Out</source>
        <translation>Ungültiges Zeichen im Feld „Timeout“</translation>
    </message>
    <message>
        <source>Invalid value in Time Out(Max. value is %1 sec.)</source>
        <translation>Ungültiger Wert im Feld „Timeout“ (Höchstwert %1 s)</translation>
    </message>
    <message>
        <source>Invalid character in Resync error bits</source>
        <translation>Ungültiges Zeichen im Feld „Resync-Fehlerbits“</translation>
    </message>
    <message>
        <source>Invalid value in Resync error bits (Max. value is %1)</source>
        <translation>Ungültiger Wert im Feld „Resync-Fehlerbits“ (Höchstwert %1)</translation>
    </message>
    <message>
        <source>Invalid character in Last Frame Error bits</source>
        <translation>Ungültiges Zeichen im Feld „Fehlerbits im letzten Frame“</translation>
    </message>
    <message>
        <source>Invalid value in Last Frame Error Bits (Max. value is %1)</source>
        <translation>Ungültiger Wert im Feld „Fehlerbits im letzten Frame“ (Höchstwert %1)</translation>
    </message>
    <message>
        <source>Invalid character in Keep Alive</source>
        <translation>Ungültiges Zeichen im Feld „Keep-Alive“</translation>
    </message>
    <message>
        <source>Invalid value in Keep Alive (Max. value is %1 mSec.)</source>
        <translation>Ungültiger Wert im Feld „Keep-Alive“ (Höchstwert %1 ms)</translation>
    </message>
    <message>
        <source>Invalid character in SN Squelch</source>
        <translation>Ungültiges Zeichen im Feld „S/N-Squelch“</translation>
    </message>
    <message>
        <source>You must set the value of S/N Squelch &gt; 0, when you set none COS check.</source>
        <translation>Ohne COS-Prüfung muss S/N-Squelch größer als 0 sein.</translation>
    </message>
    <message>
        <source>Invalid value in S/N Squelch (Max. value is %1.)</source>
        <translation>Ungültiger Wert im Feld „S/N-Squelch“ (Höchstwert %1)</translation>
    </message>
    <message>
        <source>Invalid character in Jitter Buffer Size</source>
        <translation>Ungültiges Zeichen im Feld „Jitterpuffer-Größe“</translation>
    </message>
    <message>
        <source>Invalid value in Jitter Buffer Size (Max. value is %1)</source>
        <translation>Ungültiger Wert im Feld „Jitterpuffer-Größe“ (Höchstwert %1)</translation>
    </message>
    <message>
        <source>Enter ON or OFF.</source>
        <translation>Geben Sie ON oder OFF ein.</translation>
    </message>
    <message>
        <source>Enter FULL DUPLEX or HALF DUPLEX.</source>
        <translation>Geben Sie FULL DUPLEX oder HALF DUPLEX ein.</translation>
    </message>
</context>
<context>
    <name>TForm11</name>
    <message>
        <source>Repeater Information Setting</source>
        <translation>Relais-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>Call Check</source>
        <translation>Rufzeichenprüfung</translation>
    </message>
    <message>
        <source>DUP Check</source>
        <translation>DUP-Prüfung</translation>
    </message>
    <message>
        <source>DUP Clear</source>
        <translation>DUP löschen</translation>
    </message>
    <message>
        <source>My Repeater Call Sign</source>
        <translation>Eigenes Relais-Rufzeichen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Alter My Call Sign</source>
        <translation>Ersatz-MY-Rufzeichen</translation>
    </message>
    <message>
        <source>Replace Alter My Call Sign</source>
        <translation>Durch Ersatz-MY-Rufzeichen ersetzen</translation>
    </message>
    <message>
        <source>              Call Sign2</source>
        <translation>Rufzeichen 2</translation>
    </message>
    <message>
        <source>Alter My Call Sign2</source>
        <translation>Ersatz-MY-Rufzeichen 2</translation>
    </message>
    <message>
        <source>Replace Alter My Call Sign2</source>
        <translation>Durch Ersatz-MY-Rufzeichen 2 ersetzen</translation>
    </message>
    <message>
        <source>      Your Call Sign</source>
        <translation>YOUR-Rufzeichen</translation>
    </message>
    <message>
        <source>Replace Your Call Sign</source>
        <translation>YOUR-Rufzeichen ersetzen</translation>
    </message>
    <message>
        <source>     RPT1 Call Sign</source>
        <translation>RPT1-Rufzeichen</translation>
    </message>
    <message>
        <source>Replace RPT1 Call Sign</source>
        <translation>RPT1-Rufzeichen ersetzen</translation>
    </message>
    <message>
        <source>   RPT2 Call Sign</source>
        <translation>RPT2-Rufzeichen</translation>
    </message>
    <message>
        <source>Replace RPT2 Call Sign</source>
        <translation>RPT2-Rufzeichen ersetzen</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>Flag</translation>
    </message>
    <message>
        <source>(detail)</source>
        <translation>(Details)</translation>
    </message>
    <message>
        <source>Shows what each flag bit means</source>
        <translation>Zeigt, was jedes Flag-Bit bedeutet</translation>
    </message>
    <message>
        <source>Flag bit 7</source>
        <translation>Flag-Bit 7</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>Flag bit 6</source>
        <translation>Flag-Bit 6</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>Flag bit 5</source>
        <translation>Flag-Bit 5</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>Flag bit 4</source>
        <translation>Flag-Bit 4</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Flag bit 3</source>
        <translation>Flag-Bit 3</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Flag bit 2</source>
        <translation>Flag-Bit 2</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>Flag bit 1</source>
        <translation>Flag-Bit 1</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Flag bit 0</source>
        <translation>Flag-Bit 0</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Replace Flag</source>
        <translation>Flag ersetzen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Schli&amp;eßen</translation>
    </message>
    <message>
        <source>Your Call Sign</source>
        <translation>YOUR-Rufzeichen</translation>
    </message>
    <message>
        <source>RPT1 Call Sign</source>
        <translation>RPT1-Rufzeichen</translation>
    </message>
    <message>
        <source>RPT2 Call Sign</source>
        <translation>RPT2-Rufzeichen</translation>
    </message>
    <message>
        <source>Call Check, DUP Check, DUP Clear, the Replace switches and Flag</source>
        <translation>Rufzeichenprüfung, DUP-Prüfung, DUP löschen, die Ersetzen-Schalter und Flag</translation>
    </message>
</context>
<context>
    <name>TForm12</name>
    <message>
        <source>RS232C Information Setting</source>
        <translation>RS232C-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>4800</source>
        <translation>4800</translation>
    </message>
    <message>
        <source>1200</source>
        <translation>1200</translation>
    </message>
    <message>
        <source>RS232C Mode</source>
        <translation>RS232C-Modus</translation>
    </message>
    <message>
        <source>Command Mode</source>
        <translation>Befehlsmodus</translation>
    </message>
    <message>
        <source>Slow Data Mode</source>
        <translation>Slow-Data-Modus</translation>
    </message>
    <message>
        <source>Short Message</source>
        <translation>Kurznachricht</translation>
    </message>
    <message>
        <source>GPS RCV Mode</source>
        <translation>GPS-Empfangsmodus</translation>
    </message>
    <message>
        <source>GPS SEND Mode</source>
        <translation>GPS-Sendemodus</translation>
    </message>
    <message>
        <source>GPS Message Select</source>
        <translation>NMEA-Satzauswahl</translation>
    </message>
    <message>
        <source>GPRMC</source>
        <translation>GPRMC</translation>
    </message>
    <message>
        <source>GPGGA</source>
        <translation>GPGGA</translation>
    </message>
    <message>
        <source>GPGLL</source>
        <translation>GPGLL</translation>
    </message>
    <message>
        <source>GPGSA</source>
        <translation>GPGSA</translation>
    </message>
    <message>
        <source>GPVTG</source>
        <translation>GPVTG</translation>
    </message>
    <message>
        <source>GPS Message Send</source>
        <translation>GPS-Nachricht senden</translation>
    </message>
    <message>
        <source>Message Send</source>
        <translation>Nachricht senden</translation>
    </message>
    <message>
        <source>GPS Message</source>
        <translation>GPS-Nachricht</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Schli&amp;eßen</translation>
    </message>
    <message>
        <source>GPS Message Select, Message Send</source>
        <translation>NMEA-Satzauswahl, Nachricht senden</translation>
    </message>
    <message>
        <source>Baud Rate, RS232C Mode, %1, GPS Message</source>
        <translation>Baudrate, RS232C-Modus, %1, GPS-Nachricht</translation>
    </message>
</context>
<context>
    <name>TForm13</name>
    <message>
        <source>Flag DetaiL Information</source>
        <translation>Flag-Details</translation>
    </message>
    <message>
        <source>7  0:Voice  1:Data</source>
        <translation>7  0:Sprache  1:Daten</translation>
    </message>
    <message>
        <source>6  0:Direct 1:repeater</source>
        <translation>6  0:Direkt 1:Relais</translation>
    </message>
    <message>
        <source>5  0:None Interrupt 1:Interrupt</source>
        <translation>5  0:Keine Unterbrechung 1:Unterbrechung</translation>
    </message>
    <message>
        <source>4  0:None control 1:Control</source>
        <translation>4  0:Keine Steuerung 1:Steuerung</translation>
    </message>
    <message>
        <source>3  0:None urgent  1:Urgent</source>
        <translation>3  0:Nicht dringend  1:Dringend</translation>
    </message>
    <message>
        <source>2-0</source>
        <translation>2-0</translation>
    </message>
    <message>
        <source>111 Repeater Control</source>
        <translation>111 Relais-Steuerung</translation>
    </message>
    <message>
        <source>011 ACK</source>
        <translation>011 ACK</translation>
    </message>
    <message>
        <source>110 Auto Reply</source>
        <translation>110 Automatische Antwort</translation>
    </message>
    <message>
        <source>010 No Response</source>
        <translation>010 Keine Antwort</translation>
    </message>
    <message>
        <source>101 Not Use</source>
        <translation>101 Nicht benutzt</translation>
    </message>
    <message>
        <source>001 Relay unavaliable</source>
        <translation>001 Relais nicht verfügbar</translation>
    </message>
    <message>
        <source>100 Resend</source>
        <translation>100 Erneut senden</translation>
    </message>
    <message>
        <source>000 NULL</source>
        <translation>000 NULL</translation>
    </message>
</context>
<context>
    <name>TForm15</name>
    <message>
        <source>Slow Data (Stand alone Repeater)</source>
        <translation>Slow Data (Stand-alone-Relais)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>Digital Code Insert</source>
        <translation>Digitalcode einfügen</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Before Slow Data Insert</source>
        <translation>Vor Slow Data einfügen</translation>
    </message>
    <message>
        <source>After Slow Data Insert</source>
        <translation>Nach Slow Data einfügen</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Schli&amp;eßen</translation>
    </message>
    <message>
        <source>Invalid character in Code</source>
        <translation>Ungültiges Zeichen im Feld „Code“</translation>
    </message>
</context>
<context>
    <name>TForm17</name>
    <message>
        <source>Beacon Setting</source>
        <translation>Baken-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>Beacon Message</source>
        <translation>Bakentext</translation>
    </message>
    <message>
        <source>Beacon Interval timer</source>
        <translation>Bakenintervall</translation>
    </message>
    <message>
        <source>Sec.</source>
        <translation>s</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Schli&amp;eßen</translation>
    </message>
    <message>
        <source>Invalid character in Beacon Interval Timer</source>
        <translation>Ungültiges Zeichen im Feld „Bakenintervall“</translation>
    </message>
    <message>
        <source>Invalid value in Beacon Interval Timer (Max. value is %1 Sec.)</source>
        <translation>Ungültiger Wert im Feld „Bakenintervall“ (Höchstwert %1 s)</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>Brisel Setting Program V03.06</source>
        <translation>Brisel-Einstellprogramm V03.06</translation>
    </message>
    <message>
        <source>Brisel Default setting Program</source>
        <translation>Brisel-Einstellprogramm</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>Ein&amp;stellungen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Save settings to file...</source>
        <translation>Einstellungen in Datei &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Load settings from file...</source>
        <translation>Einstellungen aus Datei &amp;laden...</translation>
    </message>
    <message>
        <source>&amp;Basic Info. </source>
        <translation>&amp;Grundeinstellungen</translation>
    </message>
    <message>
        <source>Be&amp;acon Info.</source>
        <translation>B&amp;aken-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Repeater Info. </source>
        <translation>&amp;Relais-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Slow Data</source>
        <translation>&amp;Slow Data</translation>
    </message>
    <message>
        <source>RS232C Info.</source>
        <translation>RS232C-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;Version</source>
        <translation>&amp;Version</translation>
    </message>
    <message>
        <source>&amp;PIC Version</source>
        <translation>&amp;PIC-Version</translation>
    </message>
    <message>
        <source>      Brisel default Setting V03.06</source>
        <translation>      Brisel-Einstellung V03.06</translation>
    </message>
    <message>
        <source>Load an &amp;automatic backup</source>
        <translation>&amp;Automatische Sicherung laden</translation>
    </message>
</context>
<context>
    <name>WriteRecord</name>
    <message>
        <source>A File &gt; Load</source>
        <translation>Das Laden einer Einstellungsdatei</translation>
    </message>
    <message>
        <source>A dialog&apos;s Save</source>
        <translation>Das Speichern aus einem Dialog</translation>
    </message>
    <message>
        <source>A brisel-ctl set</source>
        <translation>Ein brisel-ctl set</translation>
    </message>
    <message>
        <source>A brisel-ctl restore</source>
        <translation>Ein brisel-ctl restore</translation>
    </message>
    <message>
        <source>the emulated adapter</source>
        <translation>den emulierten Adapter</translation>
    </message>
    <message>
        <source>the adapter at USB port %1</source>
        <translation>den Adapter an USB-Port %1</translation>
    </message>
    <message>
        <source>%1 onto %2 was cut short on %3 at %4.</source>
        <translation>%1 in %2 wurde am %3 um %4 unterbrochen.</translation>
    </message>
    <message>
        <source>%1 onto %2 was cut short.</source>
        <translation>%1 in %2 wurde unterbrochen.</translation>
    </message>
    <message>
        <source>Written completely: %1.</source>
        <translation>Vollständig geschrieben: %1.</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>May be half written: %1.</source>
        <translation>Möglicherweise halb geschrieben: %1.</translation>
    </message>
    <message>
        <source>OK keeps this record until a later write onto this adapter has run to its end.</source>
        <translation>Mit OK bleibt dieses Schreibprotokoll erhalten, bis ein späterer Schreibvorgang auf diesen Adapter bis zum Ende gelaufen ist.</translation>
    </message>
    <message>
        <source>Forget this record</source>
        <translation>Schreibprotokoll verwerfen</translation>
    </message>
    <message>
        <source>The Save went ahead, but no record of it could be kept: %1</source>
        <translation>Das Speichern wurde ausgeführt, aber es konnte kein Schreibprotokoll davon angelegt werden: %1</translation>
    </message>
    <message>
        <source>OK keeps this record until a later write onto this adapter has written completely again what may be half written.</source>
        <translation>Mit OK bleibt dieses Schreibprotokoll erhalten, bis ein späterer Schreibvorgang auf diesen Adapter das möglicherweise halb Geschriebene wieder vollständig geschrieben hat.</translation>
    </message>
    <message>
        <source>yyyy-MM-dd</source>
        <extracomment>The form of a date, as QDate::toString takes it: 2026-12-08 in German is 08.12.2026 (dd.MM.yyyy).</extracomment>
        <translation>dd.MM.yyyy</translation>
    </message>
    <message>
        <source>A write</source>
        <translation>Ein Schreibvorgang</translation>
    </message>
    <message>
        <source>the emulated adapter of the demo file %1</source>
        <translation>den emulierten Adapter der Demo-Datei %1</translation>
    </message>
    <message>
        <source>the adapter at USB bus %1, device %2</source>
        <translation>den Adapter an USB-Bus %1, Gerät %2</translation>
    </message>
    <message>
        <source>the adapter</source>
        <translation>den Adapter</translation>
    </message>
    <message>
        <source>The settings from before it are in %1; File &gt; Load of that file puts them back, and so does this command:
%2</source>
        <translation>Die Einstellungen von vorher stehen in %1; das Laden dieser Datei über Datei &gt; Einstellungen aus Datei laden stellt sie wieder her, ebenso dieser Befehl:
%2</translation>
    </message>
    <message>
        <source>It is left as it is. A Save goes ahead without a record; a File &gt; Load writes nothing until the record can be read or is removed.</source>
        <translation>Es bleibt unverändert. Ein Speichern geht ohne Schreibprotokoll weiter; das Laden einer Einstellungsdatei schreibt nichts, bis das Schreibprotokoll lesbar ist oder entfernt wurde.</translation>
    </message>
    <message>
        <source>The record %1 could not be removed: %2</source>
        <translation>Das Schreibprotokoll %1 konnte nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>The record of the earlier write was left as it is.</source>
        <translation>Das Schreibprotokoll des früheren Schreibvorgangs blieb unverändert.</translation>
    </message>
</context>
<context>
    <name>enteredText</name>
    <message>
        <source>Invalid character in %1</source>
        <translation>Ungültiges Zeichen im Feld „%1“</translation>
    </message>
</context>
<context>
    <name>notread</name>
    <message>
        <source>not read</source>
        <translation>nicht gelesen</translation>
    </message>
    <message>
        <source>These values could not be read from the adapter: %1.
They are shown empty and are not saved until you enter them.</source>
        <translation>Diese Werte konnten nicht aus dem Adapter gelesen werden: %1.
Sie werden leer angezeigt und erst gespeichert, wenn Sie sie eingeben.</translation>
    </message>
    <message>
        <source>Not saved, because no value was read from the adapter or entered for them: %1.</source>
        <translation>Nicht gespeichert, weil dafür weder ein Wert aus dem Adapter gelesen noch einer eingegeben wurde: %1.</translation>
    </message>
    <message>
        <source>These values could not be read back after saving: %1.
They still show what was sent.</source>
        <translation>Diese Werte konnten nach dem Speichern nicht zurückgelesen werden: %1.
Sie zeigen weiterhin, was gesendet wurde.</translation>
    </message>
    <message>
        <source>The adapter did not take these values:
  %1</source>
        <translation>Diese Werte hat der Adapter nicht übernommen:
  %1</translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Between the items of a list inside a sentence.</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source>not read</source>
        <comment>the hint of a box too narrow for the full words</comment>
        <translation>ungelesen</translation>
    </message>
</context>
</TS>
