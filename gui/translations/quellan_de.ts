<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AddFileThread</name>
    <message>
        <source>Add File: &apos;%1&apos;.</source>
        <translation>Datei hinzufügen: „%1“.</translation>
    </message>
    <message>
        <source>Adding files done.</source>
        <translation>Dateien hinzugefügt.</translation>
    </message>
</context>
<context>
    <name>ConvertThread</name>
    <message>
        <source>At least two files are needed for a merge.</source>
        <translation>Zum Zusammenfügen werden mindestens zwei Dateien gebraucht.</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>Zusammenfügen fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Join PDF files into one, page by page.</source>
        <translation>Fügt PDF-Dateien Seite für Seite zu einer zusammen.</translation>
    </message>
    <message>
        <source>Support:</source>
        <translation>Support:</translation>
    </message>
    <message>
        <source>Home Page:</source>
        <translation>Homepage:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TAddFileForm</name>
    <message>
        <source>Add PDF Files...</source>
        <translation>PDF-Dateien hinzufügen …</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Add PDF Files</source>
        <translation>PDF-Dateien hinzufügen</translation>
    </message>
    <message>
        <source>File being opened</source>
        <translation>Datei, die geöffnet wird</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Are you sure to stop adding files.</source>
        <translation>Möchten Sie das Hinzufügen der Dateien wirklich anhalten?</translation>
    </message>
</context>
<context>
    <name>TConvertForm</name>
    <message>
        <source>File being copied</source>
        <translation>Datei, die kopiert wird</translation>
    </message>
    <message>
        <source>Page being copied</source>
        <translation>Seite, die kopiert wird</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Merge successfully.Open output pdf file?</source>
        <translation>Erfolgreich zusammengefügt. Die neue PDF-Datei öffnen?</translation>
    </message>
    <message>
        <source>Are you sure to cancel merging?</source>
        <translation>Möchten Sie das Zusammenfügen wirklich abbrechen?</translation>
    </message>
</context>
<context>
    <name>TFileListModel</name>
    <message>
        <source>Odd</source>
        <translation>Ungerade</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Teil</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Rückwärts</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>%1KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Total Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Page Range</source>
        <translation>Seitenauswahl</translation>
    </message>
    <message>
        <source>Page Sort</source>
        <translation>Reihenfolge</translation>
    </message>
</context>
<context>
    <name>TMergerForm</name>
    <message>
        <source>Add Files</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Methode</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Zusammenfügen</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Help Content</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Files to merge</source>
        <translation>Zusammenzufügende Dateien</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Output Setting</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Destination Folder:</source>
        <translation>Zielordner:</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Eigener Name</translation>
    </message>
    <message>
        <source>FirstFilename_LastFilename</source>
        <translation>ErsteDatei_LetzteDatei</translation>
    </message>
    <message>
        <source>LastFilename_FirstFilename</source>
        <translation>LetzteDatei_ErsteDatei</translation>
    </message>
    <message>
        <source>Destination Folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Select PDF File</source>
        <translation>PDF-Dateien auswählen</translation>
    </message>
    <message>
        <source>PDF files</source>
        <translation>PDF-Dateien</translation>
    </message>
    <message>
        <source>Please Select PDF Folder</source>
        <translation>Bitte einen Ordner mit PDF-Dateien auswählen</translation>
    </message>
    <message>
        <source>Please add more than one file to merge</source>
        <translation>Bitte fügen Sie mindestens zwei Dateien zum Zusammenfügen hinzu.</translation>
    </message>
    <message>
        <source>Please enter the output file name</source>
        <translation>Bitte geben Sie den Namen der neuen Datei ein.</translation>
    </message>
    <message>
        <source>The PDF file already exists,replace it?</source>
        <translation>Diese PDF-Datei gibt es schon. Ersetzen?</translation>
    </message>
    <message>
        <source>Please Select Output Folder</source>
        <translation>Bitte den Zielordner auswählen</translation>
    </message>
    <message>
        <source>Are you sure to exit?</source>
        <translation>Möchten Sie das Programm wirklich beenden?</translation>
    </message>
</context>
<context>
    <name>TMethodForm</name>
    <message>
        <source>Merge Method</source>
        <translation>Methode</translation>
    </message>
    <message>
        <source>Select Page Range</source>
        <translation>Seiten auswählen</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Ungerade</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Part  e.g[1,3,6-18]</source>
        <translation>Teil  z. B. [1,3,6-18]</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Invalid format or out of range!</source>
        <translation>Ungültige Angabe oder außerhalb der Seiten!</translation>
    </message>
    <message>
        <source>Select Page Sort</source>
        <translation>Reihenfolge wählen</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Rückwärts</translation>
    </message>
    <message>
        <source>Merge all files alternately</source>
        <translation>Alle Dateien abwechselnd zusammenfügen</translation>
    </message>
    <message>
        <source>Mix pages by every</source>
        <translation>Abwechselnd je</translation>
    </message>
    <message>
        <source>Pages per pass</source>
        <translation>Seiten je Durchgang</translation>
    </message>
    <message>
        <source>page(s)</source>
        <translation>Seite(n)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
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
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Please choose page range to merge.</source>
        <translation>Bitte wählen Sie die Seiten zum Zusammenfügen.</translation>
    </message>
</context>
<context>
    <name>TOptionsForm</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Weitere</translation>
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
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>Thema:</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>Autor:</translation>
    </message>
    <message>
        <source>Keywords:</source>
        <translation>Stichwörter:</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Stichwörter</translation>
    </message>
    <message>
        <source>Open the file after merging successfully</source>
        <translation>Datei nach erfolgreichem Zusammenfügen öffnen</translation>
    </message>
    <message>
        <source>Add a bookmark for each file</source>
        <translation>Für jede Datei ein Lesezeichen anlegen</translation>
    </message>
    <message>
        <source>Keep the whole document</source>
        <translation>Das ganze Dokument behalten</translation>
    </message>
    <message>
        <source>Bookmarks, links, form fields, tags, layers, metadata, document settings and attachments; unchecked, only the pages.</source>
        <translation>Lesezeichen, Links, Formularfelder, Tags, Ebenen, Metadaten, Dokumenteinstellungen und Anhänge; ohne Haken nur die Seiten.</translation>
    </message>
</context>
<context>
    <name>TUpDown</name>
    <message>
        <source>More pages</source>
        <translation>Mehr Seiten</translation>
    </message>
    <message>
        <source>Fewer pages</source>
        <translation>Weniger Seiten</translation>
    </message>
</context>
</TS>
