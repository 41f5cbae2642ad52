<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AddFileThread</name>
    <message>
        <source>Add File: &apos;%1&apos;.</source>
        <translation>Ajout du fichier «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Adding files done.</source>
        <translation>Fichiers ajoutés.</translation>
    </message>
</context>
<context>
    <name>ConvertThread</name>
    <message>
        <source>At least two files are needed for a merge.</source>
        <translation>Il faut au moins deux fichiers pour une fusion.</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>Échec de la fusion</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Join PDF files into one, page by page.</source>
        <translation>Réunit des fichiers PDF en un seul, page par page.</translation>
    </message>
    <message>
        <source>Support:</source>
        <translation>Assistance&#xa0;:</translation>
    </message>
    <message>
        <source>Home Page:</source>
        <translation>Site web&#xa0;:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version&#xa0;:</translation>
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
        <translation>Ajout de fichiers PDF…</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Add PDF Files</source>
        <translation>Ajout de fichiers PDF</translation>
    </message>
    <message>
        <source>File being opened</source>
        <translation>Fichier en cours d’ouverture</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Are you sure to stop adding files.</source>
        <translation>Voulez-vous vraiment arrêter l’ajout des fichiers&#xa0;?</translation>
    </message>
</context>
<context>
    <name>TConvertForm</name>
    <message>
        <source>File being copied</source>
        <translation>Fichier en cours de copie</translation>
    </message>
    <message>
        <source>Page being copied</source>
        <translation>Page en cours de copie</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>page %1 sur %2</translation>
    </message>
    <message>
        <source>Merge successfully.Open output pdf file?</source>
        <translation>Fusion réussie. Ouvrir le nouveau fichier PDF&#xa0;?</translation>
    </message>
    <message>
        <source>Are you sure to cancel merging?</source>
        <translation>Voulez-vous vraiment annuler la fusion&#xa0;?</translation>
    </message>
</context>
<context>
    <name>TFileListModel</name>
    <message>
        <source>Odd</source>
        <translation>Impaires</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Paires</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Partie</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Toutes</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Inversé</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>%1KB</source>
        <translation>%1 Ko</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Total Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Page Range</source>
        <translation>Pages choisies</translation>
    </message>
    <message>
        <source>Page Sort</source>
        <translation>Ordre</translation>
    </message>
</context>
<context>
    <name>TMergerForm</name>
    <message>
        <source>Add Files</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vider</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Méthode</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Fusionner</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Help Content</source>
        <translation>Guide d’utilisation</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Assistance</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Site web</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Files to merge</source>
        <translation>Fichiers à fusionner</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Output Setting</source>
        <translation>Fichier obtenu</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Nom du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Destination Folder:</source>
        <translation>Dossier cible&#xa0;:</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Personnalisé</translation>
    </message>
    <message>
        <source>FirstFilename_LastFilename</source>
        <translation>PremierFichier_DernierFichier</translation>
    </message>
    <message>
        <source>LastFilename_FirstFilename</source>
        <translation>DernierFichier_PremierFichier</translation>
    </message>
    <message>
        <source>Destination Folder</source>
        <translation>Dossier cible</translation>
    </message>
    <message>
        <source>Select PDF File</source>
        <translation>Choisir des fichiers PDF</translation>
    </message>
    <message>
        <source>PDF files</source>
        <translation>Fichiers PDF</translation>
    </message>
    <message>
        <source>Please Select PDF Folder</source>
        <translation>Choisissez un dossier de fichiers PDF</translation>
    </message>
    <message>
        <source>Please add more than one file to merge</source>
        <translation>Ajoutez au moins deux fichiers à fusionner.</translation>
    </message>
    <message>
        <source>Please enter the output file name</source>
        <translation>Saisissez le nom du nouveau fichier.</translation>
    </message>
    <message>
        <source>The PDF file already exists,replace it?</source>
        <translation>Ce fichier PDF existe déjà. Le remplacer&#xa0;?</translation>
    </message>
    <message>
        <source>Please Select Output Folder</source>
        <translation>Choisissez le dossier cible</translation>
    </message>
    <message>
        <source>Are you sure to exit?</source>
        <translation>Voulez-vous vraiment quitter&#xa0;?</translation>
    </message>
</context>
<context>
    <name>TMethodForm</name>
    <message>
        <source>Merge Method</source>
        <translation>Méthode de fusion</translation>
    </message>
    <message>
        <source>Select Page Range</source>
        <translation>Choix des pages</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Toutes</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Impaires</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Paires</translation>
    </message>
    <message>
        <source>Part  e.g[1,3,6-18]</source>
        <translation>Partie  ex. [1,3,6-18]</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Invalid format or out of range!</source>
        <translation>Format non valide ou hors des pages&#xa0;!</translation>
    </message>
    <message>
        <source>Select Page Sort</source>
        <translation>Ordre des pages</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Inversé</translation>
    </message>
    <message>
        <source>Merge all files alternately</source>
        <translation>Fusionner tous les fichiers en alternance</translation>
    </message>
    <message>
        <source>Mix pages by every</source>
        <translation>Alterner par</translation>
    </message>
    <message>
        <source>Pages per pass</source>
        <translation>Pages par passage</translation>
    </message>
    <message>
        <source>page(s)</source>
        <translation>page(s)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Répéter</translation>
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
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Please choose page range to merge.</source>
        <translation>Choisissez les pages à fusionner.</translation>
    </message>
</context>
<context>
    <name>TOptionsForm</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autres</translation>
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
        <source>Title:</source>
        <translation>Titre&#xa0;:</translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>Sujet&#xa0;:</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>Auteur&#xa0;:</translation>
    </message>
    <message>
        <source>Keywords:</source>
        <translation>Mots-clés&#xa0;:</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Sujet</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Auteur</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Mots-clés</translation>
    </message>
    <message>
        <source>Open the file after merging successfully</source>
        <translation>Ouvrir le fichier après une fusion réussie</translation>
    </message>
    <message>
        <source>Add a bookmark for each file</source>
        <translation>Ajouter un signet pour chaque fichier</translation>
    </message>
    <message>
        <source>Keep the whole document</source>
        <translation>Conserver tout le document</translation>
    </message>
    <message>
        <source>Bookmarks, links, form fields, tags, layers, metadata, document settings and attachments; unchecked, only the pages.</source>
        <translation>Signets, liens, champs de formulaire, balises, calques, métadonnées, réglages du document et pièces jointes ; décoché, seulement les pages.</translation>
    </message>
</context>
<context>
    <name>TUpDown</name>
    <message>
        <source>More pages</source>
        <translation>Plus de pages</translation>
    </message>
    <message>
        <source>Fewer pages</source>
        <translation>Moins de pages</translation>
    </message>
</context>
</TS>
