// The German sample translation: every text of the base language, as the
// program shows it, with its German counterpart. Menu items keep one
// accelerator each, unique within their popup, and shortcut hints after a tab.
#include "tools/langgen/LanguageFiles.h"

namespace langgen {
namespace {

struct Pair {
    const char* english;
    const char* german;
};

constexpr Pair kGerman[] = {
    // Menu 128
    {"&File", "&Datei"},
    {"&Open...\tCtrl+O", "Ö&ffnen...\tStrg+O"},
    {"&Save\tCtrl+S", "&Speichern\tStrg+S"},
    {"Save &As...", "Speichern &unter..."},
    {"&Close", "S&chließen"},
    {"&Print...\tCtrl+P", "&Drucken...\tStrg+P"},
    {"Print Pre&view", "Seiten&ansicht"},
    {"P&rint Setup...", "Drucker&einrichtung..."},
    {"E&xit", "&Beenden"},
    {"&View", "&Ansicht"},
    {"&Toolbar", "&Symbolleiste"},
    {"&Status bar", "Status&leiste"},
    {"Too&ltips", "&Tooltips"},
    {"Notification &messages", "Hinweis&meldungen"},
    {"Zoom &in\tCtrl+=", "Ver&größern\tStrg+="},
    {"Zoom &out\tCtrl+-", "Ver&kleinern\tStrg+-"},
    {"&Actual size\tCtrl+0", "&Originalgröße\tStrg+0"},
    {"&Fit to window", "An &Fenster anpassen"},
    {"&Device", "&Gerät"},
    {"&Connect...", "&Verbinden..."},
    {"&Load configuration", "Konfiguration &laden"},
    {"&Write configuration", "Konfiguration &schreiben"},
    {"&Discard changes", "Änderungen ve&rwerfen"},
    {"&Synchronize time...", "&Zeit synchronisieren..."},
    {"Serial &ports...", "Serielle &Anschlüsse..."},
    {"&?", "&?"},
    {"&About...", "&Info..."},
    {"&Language", "&Sprache"},
    {"&New translation...", "&Neue Übersetzung..."},
    {"&Edit translation...", "Übersetzung &bearbeiten..."},

    // Dialogs
    {"About", "Info"},
    {"OK", "OK"},
    {"Cancel", "Abbrechen"},
    {"Edit module configuration", "Modulkonfiguration bearbeiten"},
    {"Module #", "Modul Nr."},
    {"Module type", "Modultyp"},
    {"Configuration", "Konfiguration"},
    {"Inputs", "Eingänge"},
    {"Edit input label", "Eingangsbezeichnung bearbeiten"},
    {"Input #", "Eingang Nr."},
    {"Input type", "Eingangstyp"},
    {"Label", "Bezeichnung"},
    {"Operation in progress...", "Vorgang läuft..."},
    {"Abort", "Abbrechen"},
    {"Edit output signal", "Ausgangssignal bearbeiten"},
    {"Output type", "Ausgangstyp"},
    {"Signal", "Signal"},
    {"Edit translation", "Übersetzung bearbeiten"},
    {"Reset", "Zurücksetzen"},
    {"Original", "Original"},
    {"Translation", "Übersetzung"},
    {"Edit embedded audio channel", "Eingebetteten Audiokanal bearbeiten"},
    {"Group", "Gruppe"},
    {"Stereo pair", "Stereopaar"},
    {"Serial ports", "Serielle Anschlüsse"},
    {"Each entry of the port selector stands for the port chosen here. Type a path for a port that is not listed.",
     "Jeder Eintrag der Anschlussauswahl steht für den hier gewählten Anschluss. Geben Sie einen Pfad ein, wenn ein "
     "Anschluss nicht aufgeführt ist."},
    {"&Refresh", "&Aktualisieren"},
    {"&Find device", "Gerät &suchen"},

    // Strings
    {"Select serial port\nSelect serial port", "Seriellen Anschluss wählen\nSeriellen Anschluss wählen"},
    {"Error opening file!\n\n%1", "Fehler beim Öffnen der Datei!\n\n%1"},
    {"Loading failed - file is corrupt!\n\n%1\n", "Laden fehlgeschlagen - die Datei ist beschädigt!\n\n%1\n"},
    {"Error saving file!\n\n%1", "Fehler beim Speichern der Datei!\n\n%1"},
    {"Reading configuration...", "Konfiguration wird gelesen..."},
    {"Writing configuration...", "Konfiguration wird geschrieben..."},
    {"Reset...", "Zurücksetzen..."},
    {"Warning: Device configuration doesn't match the displayed one!\n\nPlease either close current file or "
     "disconnect\nfrom device and try again.",
     "Warnung: Die Gerätekonfiguration stimmt nicht mit der angezeigten überein!\n\nBitte schließen Sie die aktuelle "
     "Datei oder trennen Sie\ndie Verbindung zum Gerät und versuchen Sie es erneut."},
    {"Warning: There are more than 16 inputs currently configured!\n\nPlease note that only first 16 would be "
     "available.",
     "Warnung: Es sind zurzeit mehr als 16 Eingänge konfiguriert!\n\nBitte beachten Sie, dass nur die ersten 16 "
     "verfügbar sind."},
    {"This input name already exists!", "Dieser Eingangsname ist bereits vergeben!"},
    {"Warning: Unknown module type detected!\n\nYou can't change this module settings now.\nPlease update the "
     "software to latest version.",
     "Warnung: Unbekannter Modultyp erkannt!\n\nDie Einstellungen dieses Moduls können jetzt nicht geändert "
     "werden.\nBitte aktualisieren Sie die Software auf die neueste Version."},
    {"Warning: Configuration file not saved!\n\nDo you want to save?",
     "Warnung: Die Konfigurationsdatei wurde nicht gespeichert!\n\nMöchten Sie sie speichern?"},
    {"Configuration files", "Konfigurationsdateien"},
    {"Warning: Changes not written to the device!\n\nDo you want to discard changes?",
     "Warnung: Die Änderungen wurden nicht in das Gerät geschrieben!\n\nMöchten Sie die Änderungen verwerfen?"},
    {"Write configuration to device?", "Konfiguration in das Gerät schreiben?"},
    {"Configuration updated successfully.\n\nThe device will not be accessible for next 15 seconds,\nwhile power up "
     "procedure is running.",
     "Die Konfiguration wurde erfolgreich aktualisiert.\n\nDas Gerät ist für die nächsten 15 Sekunden nicht "
     "erreichbar,\nwährend es neu startet."},
    {"Warning: no input modules detected!", "Warnung: Keine Eingangsmodule erkannt!"},
    {"Doubleclick to change module type and/or number of inputs.",
     "Doppelklicken, um Modultyp und/oder Anzahl der Eingänge zu ändern."},
    {"Doubleclick to change input label. Drag && drop to link input to key.",
     "Doppelklicken, um die Eingangsbezeichnung zu ändern. Per Drag && Drop mit einer Taste verknüpfen."},
    {"Doubleclick to change output signal type.", "Doppelklicken, um den Ausgangssignaltyp zu ändern."},
    {"Drag && drop to link key to the input.", "Per Drag && Drop die Taste mit dem Eingang verknüpfen."},
    {"You have changed something in the device configuration.\n\nPlease note that changes will take effect only "
     "after\nyou write them to device using <Write configuration> command!",
     "Sie haben die Gerätekonfiguration geändert.\n\nBitte beachten Sie, dass die Änderungen erst wirksam "
     "werden,\nwenn Sie sie mit dem Befehl <Konfiguration schreiben> in das Gerät schreiben!"},
    {"Synchronize time with PC?", "Uhrzeit mit dem PC synchronisieren?"},
    {"Setting time...", "Uhrzeit wird gestellt..."},
    {"Time set successfully.\n\nThe device will not be accessible for next 5 seconds.",
     "Die Uhrzeit wurde erfolgreich gestellt.\n\nDas Gerät ist für die nächsten 5 Sekunden nicht erreichbar."},
    {"Doubleclick to change input configuration. Drag && drop to link input to key.",
     "Doppelklicken, um die Eingangskonfiguration zu ändern. Per Drag && Drop mit einer Taste verknüpfen."},
    {"Doubleclick to change module type.", "Doppelklicken, um den Modultyp zu ändern."},
    {"Edit current translation", "Aktuelle Übersetzung bearbeiten"},
    {"Add new translation", "Neue Übersetzung anlegen"},
    {"Some characters of this translation cannot be stored in a language file and would be saved as \"?\".\n\n"
     "Save the translation anyway?",
     "Einige Zeichen dieser Übersetzung lassen sich in einer Sprachdatei nicht speichern und würden als \"?\" "
     "gespeichert.\n\nÜbersetzung trotzdem speichern?"},
    {"A translation of this name already exists beside the program.\n\nDo you want to replace it?",
     "Beim Programm liegt bereits eine Übersetzung mit diesem Namen.\n\nMöchten Sie sie ersetzen?"},
    {"&Yes", "&Ja"},
    {"&No", "&Nein"},
    {"VKX link error:\n\nSerial port is not installed or in use by another application!",
     "VKX-Verbindungsfehler:\n\nDie serielle Schnittstelle ist nicht vorhanden oder wird von einer anderen "
     "Anwendung verwendet!"},
    {"VKX link error:\n\nCommuinication error, please check connection cable!",
     "VKX-Verbindungsfehler:\n\nKommunikationsfehler, bitte prüfen Sie das Verbindungskabel!"},
    {"VKX link error:\n\nPlease ensure that device is plugged and turned on!",
     "VKX-Verbindungsfehler:\n\nBitte stellen Sie sicher, dass das Gerät angeschlossen und eingeschaltet ist!"},
    {"VKX link error:\n\nCommuinication error, please check connection cable and try again!",
     "VKX-Verbindungsfehler:\n\nKommunikationsfehler, bitte prüfen Sie das Verbindungskabel und versuchen Sie es "
     "erneut!"},
    {"VKX hardware failure:\n\nDevice reports internal error!",
     "VKX-Hardwarefehler:\n\nDas Gerät meldet einen internen Fehler!"},
    {"Operation aborted.", "Vorgang abgebrochen."},
    {"Warning: Device reports internal memory checksum error!",
     "Warnung: Das Gerät meldet einen Prüfsummenfehler im internen Speicher!"},
    {"Cannot start the link thread: the system has no resources for it.",
     "Der Verbindungs-Thread kann nicht gestartet werden: Dem System fehlen die Ressourcen dafür."},
    {"Permission denied for %1: it belongs to the group \"%2\". Join it with \"sudo usermod -aG %2 %3\", then log "
     "out and in again.",
     "Zugriff auf %1 verweigert: Das Gerät gehört der Gruppe \"%2\". Treten Sie ihr mit \"sudo usermod -aG %2 %3\" "
     "bei und melden Sie sich dann ab und wieder an."},
    {"Permission denied for %1.", "Zugriff auf %1 verweigert."},
    {"%1: no such device (unplugged, or a wrong path).", "%1: Gerät nicht vorhanden (abgesteckt oder falscher Pfad)."},
    {"%1 is in use by %2.", "%1 wird von %2 verwendet."},
    {"%1 is in use by another program.", "%1 wird von einem anderen Programm verwendet."},
    {"The lock file for %1 cannot be created: the device's name is too long for a file name. Open it through a "
     "link with a shorter name.",
     "Die Sperrdatei für %1 kann nicht angelegt werden: Der Name des Geräts ist zu lang für einen Dateinamen. "
     "Öffnen Sie es über eine Verknüpfung mit kürzerem Namen."},
    {"%1: %2", "%1: %2"},
    {"Searching for the device...", "Gerät wird gesucht..."},
    {"VKX520 found on %1.", "VKX520 gefunden an %1."},
    {"No VKX520 answered.", "Kein VKX520 hat geantwortet."},
    {"No serial ports found.", "Keine seriellen Anschlüsse gefunden."},
    {"%1 (not present)", "%1 (nicht vorhanden)"},
    {"VKX520", "VKX520"},
    {"Language files", "Sprachdateien"},
    {"Connect to device\nConnect to device", "Mit dem Gerät verbinden\nMit dem Gerät verbinden"},
    {"Write configuration\nWrite configuration", "Konfiguration in das Gerät schreiben\nKonfiguration schreiben"},
    {"Discard changes\nDiscard changes", "Änderungen verwerfen\nÄnderungen verwerfen"},
    {"Show tooltips", "Tooltips anzeigen"},
    {"Display notification messages", "Hinweismeldungen anzeigen"},
    {"Load current configuration\nLoad current configuration",
     "Aktuelle Konfiguration aus dem Gerät laden\nKonfiguration laden"},
    {"Synchronize time with PC\nSynchronize time", "Uhrzeit mit dem PC synchronisieren\nUhrzeit synchronisieren"},
    {"Show the configuration larger\nZoom in", "Konfiguration größer anzeigen\nVergrößern"},
    {"Show the configuration smaller\nZoom out", "Konfiguration kleiner anzeigen\nVerkleinern"},
    {"Show the configuration at its actual size\nActual size",
     "Konfiguration in Originalgröße anzeigen\nOriginalgröße"},
    {"Show the whole configuration in the window\nFit to window",
     "Ganze Konfiguration im Fenster anzeigen\nAn Fenster anpassen"},
    {"Choose the serial port each of COM1..COM8 stands for\nSerial ports",
     "Den seriellen Anschluss wählen, für den COM1..COM8 jeweils stehen\nSerielle Anschlüsse"},
    {"VKX520Setup", "VKX520Setup"},
    {"Ready", "Bereit"},
    {"Open configuration file\nOpen", "Konfigurationsdatei öffnen\nÖffnen"},
    {"Close active configuration file\nClose", "Aktive Konfigurationsdatei schließen\nSchließen"},
    {"Save configuration file\nSave", "Konfigurationsdatei speichern\nSpeichern"},
    {"Save configuration file under new name\nSave As",
     "Konfigurationsdatei unter neuem Namen speichern\nSpeichern unter"},
    {"Change the printer and printing options\nPrint Setup", "Drucker und Druckoptionen ändern\nDruckereinrichtung"},
    {"Print configuration\nPrint", "Konfiguration drucken\nDrucken"},
    {"Print Preview\nPrint Preview", "Seitenansicht\nSeitenansicht"},
    {"Display program information\nAbout", "Programminformationen anzeigen\nInfo"},
    {"Quit the application\nExit", "Anwendung beenden\nBeenden"},
    {"CAP", "UF"},
    {"NUM", "NUM"},
    {"Show/hide toolbar", "Symbolleiste ein- oder ausblenden"},
    {"Show/hide status bar", "Statusleiste ein- oder ausblenden"},
    // Safe writes: comparing, verifying, backups
    {"Input slot %1: module code", "Eingangssteckplatz %1: Modulcode"},
    {"Input slot %1: number of inputs", "Eingangssteckplatz %1: Anzahl der Eingänge"},
    {"Output slot %1: module code", "Ausgangssteckplatz %1: Modulcode"},
    {"Output slot %1, output %2: signal", "Ausgangssteckplatz %1, Ausgang %2: Signal"},
    {"Input %1: panel input", "Eingang %1: Paneleingang"},
    {"Input %1: key", "Eingang %1: Taste"},
    {"Input slot %1, input %2: embedded audio", "Eingangssteckplatz %1, Eingang %2: eingebettetes Audio"},
    {"Input slot %1, input %2: label", "Eingangssteckplatz %1, Eingang %2: Bezeichnung"},
    {"Panel input %1: label", "Paneleingang %1: Bezeichnung"},
    {"%1: %2 -> %3", "%1: %2 -> %3"},
    {"none", "keine"},
    {"Verified: the device holds the configuration written.",
     "Geprüft: Das Gerät enthält die geschriebene Konfiguration."},
    {"Warning: The device does not hold the configuration written!\n\nWritten -> read back from the "
     "device:\n%1\n\nThe configuration written stays on display. Check the modules and write it again.",
     "Warnung: Das Gerät enthält nicht die geschriebene Konfiguration!\n\nGeschrieben -> vom Gerät "
     "zurückgelesen:\n%1\n\nDie geschriebene Konfiguration bleibt angezeigt. Prüfen Sie die Module und "
     "schreiben Sie sie erneut."},
    {"The device may now hold part of the new configuration. The backup taken at Connect can be written back "
     "(File > Open backup...).",
     "Das Gerät enthält jetzt möglicherweise einen Teil der neuen Konfiguration. Die beim Verbinden angelegte "
     "Sicherung kann zurückgeschrieben werden (Datei > Sicherung öffnen...)."},
    {"No differences: both configurations are the same.", "Keine Unterschiede: Beide Konfigurationen sind gleich."},
    {"Compare with the configuration in the device?\n\nYes: read the device. No: choose a file.",
     "Mit der Konfiguration im Gerät vergleichen?\n\nJa: das Gerät lesen. Nein: eine Datei wählen."},
    {"the device", "das Gerät"},
    {"The device's configuration could not be kept as a backup: %1",
     "Die Konfiguration des Geräts konnte nicht gesichert werden: %1"},
    {"Backup saved: %1", "Sicherung gespeichert: %1"},
    {"Differences, displayed configuration -> %1:", "Unterschiede, angezeigte Konfiguration -> %1:"},
    {"Compare configurations", "Konfigurationen vergleichen"},
    {"Close", "Schließen"},
    {"Open &backup...", "Sicherun&g öffnen..."},
    {"Co&mpare with...", "&Vergleichen mit..."},
    {"&Verify after writing", "Nach dem Schreiben &prüfen"},
    {"Open a configuration kept from a device before it was changed\nOpen backup",
     "Eine vor einer Änderung gesicherte Gerätekonfiguration öffnen\nSicherung öffnen"},
    {"Compare the configuration with a file or with the device\nCompare",
     "Die Konfiguration mit einer Datei oder dem Gerät vergleichen\nVergleichen"},
    {"Read the device back after writing and compare\nVerify after writing",
     "Das Gerät nach dem Schreiben zurücklesen und vergleichen\nNach dem Schreiben prüfen"},
    {"Key %1, input %2 %3, panel input %4", "Taste %1, Eingang %2 %3, Paneleingang %4"},
    {"Key %1, no input", "Taste %1, kein Eingang"},
    {"Panel input %1 %2", "Paneleingang %1 %2"},
    {"Input %1 %2, key %3, panel input %4", "Eingang %1 %2, Taste %3, Paneleingang %4"},
    {"Embedded audio of input %1 %2", "Eingebettetes Audio von Eingang %1 %2"},
    {"Output %1 %2", "Ausgang %1 %2"},
    {"Input module %1, %2, %3", "Eingangsmodul %1, %2, %3"},
    {"Output module %1, %2, %3", "Ausgangsmodul %1, %2, %3"},
    {"Keys", "Tasten"},
    {"Panel inputs", "Paneleingänge"},
    {"Picked up", "Aufgenommen"},
    {"Drop target", "Ablageziel"},
    // Undo and redo
    {"&Undo %1", "&Rückgängig: %1"},
    {"&Redo %1", "&Wiederholen: %1"},
    {"&Undo", "&Rückgängig"},
    {"&Redo", "&Wiederholen"},
    {"Link %1 to %2", "%1 mit %2 verbinden"},
    {"Exchange the inputs of keys %1 and %2", "Eingänge der Tasten %1 und %2 tauschen"},
    {"Exchange the labels of inputs %1 and %2", "Namen der Eingänge %1 und %2 tauschen"},
    {"Exchange the labels of panel inputs %1 and %2", "Namen der Panel-Eingänge %1 und %2 tauschen"},
    {"Change input module %1", "Eingangsmodul %1 ändern"},
    {"Change output module %1", "Ausgangsmodul %1 ändern"},
    {"Change the label of input %1", "Namen von Eingang %1 ändern"},
    {"Change the label of panel input %1", "Namen von Panel-Eingang %1 ändern"},
    {"Change the signal of output %1 of module %2", "Signal von Ausgang %1 des Moduls %2 ändern"},
    {"Change the embedded audio of input %1", "Eingebettetes Audio von Eingang %1 ändern"},
    {"key %1", "Taste %1"},
    {"input %1", "Eingang %1"},
    {"panel input %1", "Panel-Eingang %1"},
    {"the embedded audio of input %1", "eingebettetes Audio von Eingang %1"},
    {"Undo the last action\nUndo", "Letzte Aktion rückgängig machen\nRückgängig"},
    {"Redo the previously undone action\nRedo", "Rückgängig gemachte Aktion wiederholen\nWiederholen"},
};

}  // namespace

const Catalogue& GermanCatalogue() {
    static const Catalogue catalogue = [] {
        Catalogue pairs;
        for (const Pair& p : kGerman) pairs.emplace_back(QString::fromUtf8(p.english), QString::fromUtf8(p.german));
        return pairs;
    }();
    return catalogue;
}

}  // namespace langgen
