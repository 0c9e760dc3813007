<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Qt's own texts (its dialogs, standard buttons and context menus) in
     Romanian, as the program writes it: Qt ships no Romanian catalogue of its
     texts. Contexts and source texts are Qt's; the build compiles this file
     with lrelease and carries it inside both executables. -->
<TS version="2.1" language="ro_RO">
    <context>
        <name>CloseButton</name>
        <message>
            <source>Close Tab</source>
            <translation>Inchide fila</translation>
        </message>
    </context>
    <context>
        <name>Print Device Input Slot</name>
        <message>
            <source>Automatic</source>
            <translation>Automat</translation>
        </message>
    </context>
    <context>
        <name>Print Device Output Bin</name>
        <message>
            <source>Automatic</source>
            <translation>Automat</translation>
        </message>
    </context>
    <context>
        <name>QAbstractFileIconProvider</name>
        <message>
            <source>File</source>
            <translation>Fisier</translation>
        </message>
        <message>
            <source>Alias</source>
            <translation>Alias</translation>
        </message>
        <message>
            <source>Drive</source>
            <translation>Unitate</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Folder</translation>
        </message>
        <message>
            <source>Unknown</source>
            <translation>Necunoscut</translation>
        </message>
        <message>
            <source>Shortcut</source>
            <translation>Legatura</translation>
        </message>
    </context>
    <context>
        <name>QAbstractSpinBox</name>
        <message>
            <source>Step &amp;down</source>
            <translation>Sca&amp;de</translation>
        </message>
        <message>
            <source>&amp;Step up</source>
            <translation>Cr&amp;este</translation>
        </message>
        <message>
            <source>&amp;Select All</source>
            <translation>Selecteaza t&amp;ot</translation>
        </message>
    </context>
    <context>
        <name>QAccessibleActionInterface</name>
        <message>
            <source>Press</source>
            <translation>Apasa</translation>
        </message>
        <message>
            <source>Shows the menu</source>
            <translation>Arata meniul</translation>
        </message>
        <message>
            <source>Scrolls to the left</source>
            <translation>Deruleaza la stanga</translation>
        </message>
        <message>
            <source>Scroll Down</source>
            <translation>Deruleaza in jos</translation>
        </message>
        <message>
            <source>Scroll Left</source>
            <translation>Deruleaza la stanga</translation>
        </message>
        <message>
            <source>Goes back a page</source>
            <translation>Inapoi o pagina</translation>
        </message>
        <message>
            <source>Triggers the action</source>
            <translation>Executa actiunea</translation>
        </message>
        <message>
            <source>Increase</source>
            <translation>Creste</translation>
        </message>
        <message>
            <source>Toggle</source>
            <translation>Comuta</translation>
        </message>
        <message>
            <source>Toggles the state</source>
            <translation>Comuta starea</translation>
        </message>
        <message>
            <source>Scrolls up</source>
            <translation>Deruleaza in sus</translation>
        </message>
        <message>
            <source>Scrolls down</source>
            <translation>Deruleaza in jos</translation>
        </message>
        <message>
            <source>Scroll Up</source>
            <translation>Deruleaza in sus</translation>
        </message>
        <message>
            <source>Goes to the next page</source>
            <translation>Inainte o pagina</translation>
        </message>
        <message>
            <source>Scrolls to the right</source>
            <translation>Deruleaza la dreapta</translation>
        </message>
        <message>
            <source>Increase the value</source>
            <translation>Creste valoarea</translation>
        </message>
        <message>
            <source>Decrease the value</source>
            <translation>Scade valoarea</translation>
        </message>
        <message>
            <source>Decrease</source>
            <translation>Scade</translation>
        </message>
        <message>
            <source>Scroll Right</source>
            <translation>Deruleaza la dreapta</translation>
        </message>
        <message>
            <source>Previous Page</source>
            <translation>Pagina anterioara</translation>
        </message>
        <message>
            <source>Sets the focus</source>
            <translation>Muta cursorul aici</translation>
        </message>
        <message>
            <source>SetFocus</source>
            <translation>Muta cursorul</translation>
        </message>
        <message>
            <source>Next Page</source>
            <translation>Pagina urmatoare</translation>
        </message>
        <message>
            <source>ShowMenu</source>
            <translation>Arata meniul</translation>
        </message>
    </context>
    <context>
        <name>QColorDialog</name>
        <message>
            <source>&amp;Red:</source>
            <translation>&amp;Rosu:</translation>
        </message>
        <message>
            <source>&amp;Sat:</source>
            <translation>&amp;Saturatie:</translation>
        </message>
        <message>
            <source>&amp;Val:</source>
            <translation>&amp;Luminozitate:</translation>
        </message>
        <message>
            <source>Hu&amp;e:</source>
            <translation>N&amp;uanta:</translation>
        </message>
        <message>
            <source>&amp;HTML:</source>
            <translation>&amp;HTML:</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>Alegere culoare</translation>
        </message>
        <message>
            <source>&amp;Add to Custom Colors</source>
            <translation>A&amp;dauga la culorile personalizate</translation>
        </message>
        <message>
            <source>Bl&amp;ue:</source>
            <translation>&amp;Albastru:</translation>
        </message>
        <message>
            <source>&amp;Pick Screen Color</source>
            <translation>Ia culoarea de pe &amp;ecran</translation>
        </message>
        <message>
            <source>Cursor at %1, %2
Press ESC to cancel</source>
            <translation>Cursorul la %1, %2
Apasati ESC pentru anulare</translation>
        </message>
        <message>
            <source>&amp;Green:</source>
            <translation>&amp;Verde:</translation>
        </message>
        <message>
            <source>&amp;Basic colors</source>
            <translation>Culori de &amp;baza</translation>
        </message>
        <message>
            <source>&amp;Custom colors</source>
            <translation>Culori &amp;personalizate</translation>
        </message>
        <message>
            <source>A&amp;lpha channel:</source>
            <translation>&amp;Opacitate:</translation>
        </message>
    </context>
    <context>
        <name>QComboBox</name>
        <message>
            <source>True</source>
            <translation>Adevarat</translation>
        </message>
        <message>
            <source>False</source>
            <translation>Fals</translation>
        </message>
        <message>
            <source>Open the combo box selection popup</source>
            <translation>Deschide lista</translation>
        </message>
    </context>
    <context>
        <name>QCupsJobWidget</name>
        <message>
            <source>Job</source>
            <translation>Lucrare</translation>
        </message>
        <message>
            <source>End:</source>
            <translation>Sfarsit:</translation>
        </message>
        <message>
            <source>None</source>
            <translation>Niciuna</translation>
        </message>
        <message>
            <source>Banner Pages</source>
            <translation>Pagini de separare</translation>
        </message>
        <message>
            <source>Night (18:00 to 05:59)</source>
            <translation>Noaptea (18:00 - 05:59)</translation>
        </message>
        <message>
            <source>Specific Time</source>
            <translation>La ora data</translation>
        </message>
        <message>
            <source>Billing information:</source>
            <translation>Date de facturare:</translation>
        </message>
        <message>
            <source>Scheduled printing:</source>
            <translation>Tiparire programata:</translation>
        </message>
        <message>
            <source>Secret</source>
            <translation>Secret</translation>
        </message>
        <message>
            <source>Top Secret</source>
            <translation>Strict secret</translation>
        </message>
        <message>
            <source>Start:</source>
            <translation>Inceput:</translation>
        </message>
        <message>
            <source>Day (06:00 to 17:59)</source>
            <translation>Ziua (06:00 - 17:59)</translation>
        </message>
        <message>
            <source>Second Shift (16:00 to 23:59)</source>
            <translation>Schimbul doi (16:00 - 23:59)</translation>
        </message>
        <message>
            <source>Job Control</source>
            <translation>Controlul lucrarii</translation>
        </message>
        <message>
            <source>Weekend (Saturday to Sunday)</source>
            <translation>Sfarsit de saptamana (sambata - duminica)</translation>
        </message>
        <message>
            <source>Standard</source>
            <translation>Standard</translation>
        </message>
        <message>
            <source>Classified</source>
            <translation>Clasificat</translation>
        </message>
        <message>
            <source>Third Shift (00:00 to 07:59)</source>
            <translation>Schimbul trei (00:00 - 07:59)</translation>
        </message>
        <message>
            <source>Hold Indefinitely</source>
            <translation>Retine pe termen nelimitat</translation>
        </message>
        <message>
            <source>Print Immediately</source>
            <translation>Tipareste imediat</translation>
        </message>
        <message>
            <source>Confidential</source>
            <translation>Confidential</translation>
        </message>
        <message>
            <source>Job priority:</source>
            <translation>Prioritatea lucrarii:</translation>
        </message>
        <message>
            <source>Unclassified</source>
            <translation>Neclasificat</translation>
        </message>
    </context>
    <context>
        <name>QCupsPrinterSupport</name>
        <message>
            <source>Authentication needed to use %1 on %2.</source>
            <translation>Pentru a folosi %1 pe %2 trebuie sa va autentificati.</translation>
        </message>
        <message>
            <source>Authentication needed to use %1.</source>
            <translation>Pentru a folosi %1 trebuie sa va autentificati.</translation>
        </message>
        <message>
            <source>Authentication Needed</source>
            <translation>Autentificare necesara</translation>
        </message>
        <message>
            <source>Password:</source>
            <translation>Parola:</translation>
        </message>
        <message>
            <source>Username:</source>
            <translation>Utilizator:</translation>
        </message>
    </context>
    <context>
        <name>QDialog</name>
        <message>
            <source>What's This?</source>
            <translation>Ce este aceasta?</translation>
        </message>
    </context>
    <context>
        <name>QDialogButtonBox</name>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
    </context>
    <context>
        <name>QFile</name>
        <message>
            <source>Cannot remove source file</source>
            <translation>Fisierul sursa nu poate fi sters</translation>
        </message>
        <message>
            <source>Destination file is the same file.</source>
            <translation>Fisierul destinatie este chiar fisierul sursa.</translation>
        </message>
        <message>
            <source>Cannot open %1 for input</source>
            <translation>%1 nu poate fi deschis pentru citire</translation>
        </message>
        <message>
            <source>Destination file exists</source>
            <translation>Fisierul destinatie exista deja</translation>
        </message>
        <message>
            <source>Cannot open destination file: %1</source>
            <translation>Fisierul destinatie nu poate fi deschis: %1</translation>
        </message>
        <message>
            <source>Cannot create %1 for output: %2</source>
            <translation>%1 nu poate fi creat: %2</translation>
        </message>
        <message>
            <source>Failure to write block: %1</source>
            <translation>Scrierea a esuat: %1</translation>
        </message>
        <message>
            <source>Will not rename sequential file using block copy</source>
            <translation>Un fisier secvential nu se redenumeste prin copiere</translation>
        </message>
        <message>
            <source>Error while renaming: %1</source>
            <translation>Eroare la redenumire: %1</translation>
        </message>
        <message>
            <source>Source file does not exist.</source>
            <translation>Fisierul sursa nu exista.</translation>
        </message>
        <message>
            <source>Unable to restore from %1: %2</source>
            <translation>Nu se poate reface din %1: %2</translation>
        </message>
        <message>
            <source>Cannot open for output: %1</source>
            <translation>Nu poate fi deschis pentru scriere: %1</translation>
        </message>
    </context>
    <context>
        <name>QFileDevice</name>
        <message>
            <source>No file engine available or engine does not support UnMapExtension</source>
            <translation>Fisierul nu poate fi accesat sau eliberat din memorie</translation>
        </message>
        <message>
            <source>No file engine available</source>
            <translation>Fisierul nu poate fi accesat</translation>
        </message>
    </context>
    <context>
        <name>QFileDialog</name>
        <message>
            <source>Back</source>
            <translation>Inapoi</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Deschide</translation>
        </message>
        <message>
            <source>&amp;Open</source>
            <translation>&amp;Deschide</translation>
        </message>
        <message>
            <source>&amp;Save</source>
            <translation>&amp;Salveaza</translation>
        </message>
        <message>
            <source>Files</source>
            <translation>Fisiere</translation>
        </message>
        <message>
            <source>Show </source>
            <translation>Arata </translation>
        </message>
        <message>
            <source>'%1' is write protected.
Do you want to delete it anyway?</source>
            <translation>'%1' este protejat la scriere.
Il stergeti totusi?</translation>
        </message>
        <message>
            <source>Are you sure you want to delete '%1'?</source>
            <translation>Sigur stergeti '%1'?</translation>
        </message>
        <message>
            <source>List of places and bookmarks</source>
            <translation>Locurile si semnele de carte</translation>
        </message>
        <message>
            <source>File &amp;name:</source>
            <translation>&amp;Nume fisier:</translation>
        </message>
        <message>
            <source>Alt+Left</source>
            <translation>Alt+Left</translation>
        </message>
        <message>
            <source>Alt+Up</source>
            <translation>Alt+Up</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Sterge</translation>
        </message>
        <message>
            <source>New Folder</source>
            <translation>Folder nou</translation>
        </message>
        <message>
            <source>Parent Directory</source>
            <translation>Folderul parinte</translation>
        </message>
        <message>
            <source>&amp;New Folder</source>
            <translation>Folder &amp;nou</translation>
        </message>
        <message>
            <source>Remove</source>
            <translation>Elimina</translation>
        </message>
        <message>
            <source>Look in:</source>
            <translation>Cauta in:</translation>
        </message>
        <message>
            <source>Alt+Right</source>
            <translation>Alt+Right</translation>
        </message>
        <message>
            <source>Create a New Folder</source>
            <translation>Creeaza un folder nou</translation>
        </message>
        <message>
            <source>Files of type:</source>
            <translation>Tip fisier:</translation>
        </message>
        <message>
            <source>Find Directory</source>
            <translation>Alege folderul</translation>
        </message>
        <message>
            <source>Show &amp;hidden files</source>
            <translation>Arata fisierele &amp;ascunse</translation>
        </message>
        <message>
            <source>Save As</source>
            <translation>Salveaza ca</translation>
        </message>
        <message>
            <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
            <translation>%1
Folderul nu exista.
Verificati numele folderului.</translation>
        </message>
        <message>
            <source>Sidebar</source>
            <translation>Locuri</translation>
        </message>
        <message>
            <source>List View</source>
            <translation>Lista</translation>
        </message>
        <message>
            <source>&amp;Choose</source>
            <translation>&amp;Alege</translation>
        </message>
        <message>
            <source>&amp;Delete</source>
            <translation>&amp;Sterge</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Toate fisierele (*)</translation>
        </message>
        <message>
            <source>All Files (*)</source>
            <translation>Toate fisierele (*)</translation>
        </message>
        <message>
            <source>Directories</source>
            <translation>Foldere</translation>
        </message>
        <message>
            <source>&amp;Rename</source>
            <translation>&amp;Redenumeste</translation>
        </message>
        <message>
            <source>Could not delete directory.</source>
            <translation>Folderul nu a putut fi sters.</translation>
        </message>
        <message>
            <source>Directory:</source>
            <translation>Folder:</translation>
        </message>
        <message>
            <source>%1 already exists.
Do you want to replace it?</source>
            <translation>%1 exista deja.
Il inlocuiti?</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Inainte</translation>
        </message>
        <message>
            <source>Go forward</source>
            <translation>Inainte</translation>
        </message>
        <message>
            <source>Go to the parent directory</source>
            <translation>Mergi la folderul parinte</translation>
        </message>
        <message>
            <source>Recent Places</source>
            <translation>Locuri recente</translation>
        </message>
        <message>
            <source>Go back</source>
            <translation>Inapoi</translation>
        </message>
        <message>
            <source>Change to detail view mode</source>
            <translation>Arata detaliile</translation>
        </message>
        <message>
            <source>Create New Folder</source>
            <translation>Folder nou</translation>
        </message>
        <message>
            <source>Detail View</source>
            <translation>Detalii</translation>
        </message>
        <message>
            <source>%1
File not found.
Please verify the correct file name was given.</source>
            <translation>%1
Fisierul nu exista.
Verificati numele fisierului.</translation>
        </message>
        <message>
            <source>Change to list view mode</source>
            <translation>Arata ca lista</translation>
        </message>
    </context>
    <context>
        <name>QFileSystemModel</name>
        <message>
            <source>Kind</source>
            <translation>Fel</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nume</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Marime</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Tip</translation>
        </message>
        <message>
            <source>Computer</source>
            <translation>Calculator</translation>
        </message>
        <message>
            <source>Date Modified</source>
            <translation>Data modificarii</translation>
        </message>
    </context>
    <context>
        <name>QGnomeTheme</name>
        <message>
            <source>&amp;OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>&amp;Save</source>
            <translation>&amp;Salveaza</translation>
        </message>
        <message>
            <source>&amp;Close</source>
            <translation>&amp;Inchide</translation>
        </message>
        <message>
            <source>Close without Saving</source>
            <translation>Inchide fara salvare</translation>
        </message>
        <message>
            <source>&amp;Cancel</source>
            <translation>Anulare</translation>
        </message>
    </context>
    <context>
        <name>QGuiApplication</name>
        <message>
            <source>QT_LAYOUT_DIRECTION</source>
            <translation>LTR</translation>
        </message>
    </context>
    <context>
        <name>QIODevice</name>
        <message>
            <source>No such file or directory</source>
            <translation>Fisierul sau folderul nu exista</translation>
        </message>
        <message>
            <source>Permission denied</source>
            <translation>Acces interzis</translation>
        </message>
        <message>
            <source>No space left on device</source>
            <translation>Nu mai este loc pe disc</translation>
        </message>
        <message>
            <source>Unknown error</source>
            <translation>Eroare necunoscuta</translation>
        </message>
        <message>
            <source>Too many open files</source>
            <translation>Prea multe fisiere deschise</translation>
        </message>
    </context>
    <context>
        <name>QInputDialog</name>
        <message>
            <source>Enter a value:</source>
            <translation>Introduceti o valoare:</translation>
        </message>
    </context>
    <context>
        <name>QLineEdit</name>
        <message>
            <source>Cu&amp;t</source>
            <translation>&amp;Taie</translation>
        </message>
        <message>
            <source>&amp;Copy</source>
            <translation>&amp;Copiaza</translation>
        </message>
        <message>
            <source>&amp;Redo</source>
            <translation>&amp;Refa</translation>
        </message>
        <message>
            <source>&amp;Undo</source>
            <translation>&amp;Anuleaza</translation>
        </message>
        <message>
            <source>&amp;Paste</source>
            <translation>&amp;Lipeste</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Sterge</translation>
        </message>
        <message>
            <source>Select All</source>
            <translation>Selecteaza tot</translation>
        </message>
    </context>
    <context>
        <name>QMessageBox</name>
        <message>
            <source>Show Details...</source>
            <translation>Arata detaliile...</translation>
        </message>
        <message>
            <source>About Qt</source>
            <translation>Despre Qt</translation>
        </message>
        <message>
            <source>Hide Details...</source>
            <translation>Ascunde detaliile...</translation>
        </message>
        <message>
            <source>&lt;h3&gt;About Qt&lt;/h3&gt;&lt;p&gt;This program uses Qt version %1.&lt;/p&gt;</source>
            <translation>&lt;h3&gt;Despre Qt&lt;/h3&gt;&lt;p&gt;Acest program foloseste Qt versiunea %1.&lt;/p&gt;</translation>
        </message>
    </context>
    <context>
        <name>QPageSetupWidget</name>
        <message>
            <source>CC</source>
            <translation>CC</translation>
        </message>
        <message>
            <source>DD</source>
            <translation>DD</translation>
        </message>
        <message>
            <source>in</source>
            <translation>in</translation>
        </message>
        <message>
            <source>mm</source>
            <translation>mm</translation>
        </message>
        <message>
            <source>pt</source>
            <translation>pt</translation>
        </message>
        <message>
            <source>P̸</source>
            <translation>P̸</translation>
        </message>
        <message>
            <source>Form</source>
            <translation>Formular</translation>
        </message>
        <message>
            <source>bottom margin</source>
            <translation>marginea de jos</translation>
        </message>
        <message>
            <source>Paper</source>
            <translation>Hartie</translation>
        </message>
        <message>
            <source>Paper source:</source>
            <translation>Sursa hartie:</translation>
        </message>
        <message>
            <source>right margin</source>
            <translation>marginea din dreapta</translation>
        </message>
        <message>
            <source>Pica (P̸)</source>
            <translation>Pica (P̸)</translation>
        </message>
        <message>
            <source>Margins</source>
            <translation>Margini</translation>
        </message>
        <message>
            <source>Custom</source>
            <translation>Personalizat</translation>
        </message>
        <message>
            <source>Landscape</source>
            <translation>Peisaj</translation>
        </message>
        <message>
            <source>Page Layout</source>
            <translation>Asezare in pagina</translation>
        </message>
        <message>
            <source>Width:</source>
            <translation>Latime:</translation>
        </message>
        <message>
            <source>Orientation</source>
            <translation>Orientare</translation>
        </message>
        <message>
            <source>Didot (DD)</source>
            <translation>Didot (DD)</translation>
        </message>
        <message>
            <source>Portrait</source>
            <translation>Portret</translation>
        </message>
        <message>
            <source>Page order:</source>
            <translation>Ordinea paginilor:</translation>
        </message>
        <message>
            <source>top margin</source>
            <translation>marginea de sus</translation>
        </message>
        <message>
            <source>left margin</source>
            <translation>marginea din stanga</translation>
        </message>
        <message>
            <source>Page size:</source>
            <translation>Marime pagina:</translation>
        </message>
        <message>
            <source>Cicero (CC)</source>
            <translation>Cicero (CC)</translation>
        </message>
        <message>
            <source>Reverse portrait</source>
            <translation>Portret inversat</translation>
        </message>
        <message>
            <source>Millimeters (mm)</source>
            <translation>Milimetri (mm)</translation>
        </message>
        <message>
            <source>Points (pt)</source>
            <translation>Puncte (pt)</translation>
        </message>
        <message>
            <source>Pages per sheet:</source>
            <translation>Pagini pe foaie:</translation>
        </message>
        <message>
            <source>Inches (in)</source>
            <translation>Inch (in)</translation>
        </message>
        <message>
            <source>Reverse landscape</source>
            <translation>Peisaj inversat</translation>
        </message>
        <message>
            <source>Height:</source>
            <translation>Inaltime:</translation>
        </message>
    </context>
    <context>
        <name>QPageSize</name>
        <message>
            <source>A0</source>
            <translation>A0</translation>
        </message>
        <message>
            <source>A1</source>
            <translation>A1</translation>
        </message>
        <message>
            <source>A2</source>
            <translation>A2</translation>
        </message>
        <message>
            <source>A3</source>
            <translation>A3</translation>
        </message>
        <message>
            <source>A4</source>
            <translation>A4</translation>
        </message>
        <message>
            <source>A5</source>
            <translation>A5</translation>
        </message>
        <message>
            <source>A6</source>
            <translation>A6</translation>
        </message>
        <message>
            <source>A7</source>
            <translation>A7</translation>
        </message>
        <message>
            <source>A8</source>
            <translation>A8</translation>
        </message>
        <message>
            <source>A9</source>
            <translation>A9</translation>
        </message>
        <message>
            <source>B0</source>
            <translation>B0</translation>
        </message>
        <message>
            <source>B1</source>
            <translation>B1</translation>
        </message>
        <message>
            <source>B2</source>
            <translation>B2</translation>
        </message>
        <message>
            <source>B3</source>
            <translation>B3</translation>
        </message>
        <message>
            <source>B4</source>
            <translation>B4</translation>
        </message>
        <message>
            <source>B5</source>
            <translation>B5</translation>
        </message>
        <message>
            <source>B6</source>
            <translation>B6</translation>
        </message>
        <message>
            <source>B7</source>
            <translation>B7</translation>
        </message>
        <message>
            <source>B8</source>
            <translation>B8</translation>
        </message>
        <message>
            <source>B9</source>
            <translation>B9</translation>
        </message>
        <message>
            <source>A10</source>
            <translation>A10</translation>
        </message>
        <message>
            <source>B10</source>
            <translation>B10</translation>
        </message>
        <message>
            <source>Note</source>
            <translation>Nota</translation>
        </message>
        <message>
            <source>Letter / ANSI A</source>
            <translation>Letter / ANSI A</translation>
        </message>
        <message>
            <source>Legal</source>
            <translation>Legal</translation>
        </message>
        <message>
            <source>Envelope Monarch</source>
            <translation>Plic Monarch</translation>
        </message>
        <message>
            <source>Architect A</source>
            <translation>Architect A</translation>
        </message>
        <message>
            <source>Architect B</source>
            <translation>Architect B</translation>
        </message>
        <message>
            <source>Architect C</source>
            <translation>Architect C</translation>
        </message>
        <message>
            <source>Architect D</source>
            <translation>Architect D</translation>
        </message>
        <message>
            <source>Architect E</source>
            <translation>Architect E</translation>
        </message>
        <message>
            <source>Letter Extra</source>
            <translation>Letter Extra</translation>
        </message>
        <message>
            <source>Letter Small</source>
            <translation>Letter mic</translation>
        </message>
        <message>
            <source>Envelope You 4</source>
            <translation>Plic You 4</translation>
        </message>
        <message>
            <source>Envelope US 10</source>
            <translation>Plic US 10</translation>
        </message>
        <message>
            <source>Envelope US 11</source>
            <translation>Plic US 11</translation>
        </message>
        <message>
            <source>Envelope US 12</source>
            <translation>Plic US 12</translation>
        </message>
        <message>
            <source>Envelope US 14</source>
            <translation>Plic US 14</translation>
        </message>
        <message>
            <source>Envelope PRC 1</source>
            <translation>Plic PRC 1</translation>
        </message>
        <message>
            <source>Envelope PRC 2</source>
            <translation>Plic PRC 2</translation>
        </message>
        <message>
            <source>Envelope PRC 3</source>
            <translation>Plic PRC 3</translation>
        </message>
        <message>
            <source>Envelope PRC 4</source>
            <translation>Plic PRC 4</translation>
        </message>
        <message>
            <source>Envelope PRC 5</source>
            <translation>Plic PRC 5</translation>
        </message>
        <message>
            <source>Envelope PRC 6</source>
            <translation>Plic PRC 6</translation>
        </message>
        <message>
            <source>Envelope PRC 7</source>
            <translation>Plic PRC 7</translation>
        </message>
        <message>
            <source>Envelope PRC 8</source>
            <translation>Plic PRC 8</translation>
        </message>
        <message>
            <source>Envelope PRC 9</source>
            <translation>Plic PRC 9</translation>
        </message>
        <message>
            <source>Envelope C65</source>
            <translation>Plic C65</translation>
        </message>
        <message>
            <source>Envelope DL</source>
            <translation>Plic DL</translation>
        </message>
        <message>
            <source>Envelope B4</source>
            <translation>Plic B4</translation>
        </message>
        <message>
            <source>Envelope B5</source>
            <translation>Plic B5</translation>
        </message>
        <message>
            <source>Envelope B6</source>
            <translation>Plic B6</translation>
        </message>
        <message>
            <source>Envelope C0</source>
            <translation>Plic C0</translation>
        </message>
        <message>
            <source>Envelope C1</source>
            <translation>Plic C1</translation>
        </message>
        <message>
            <source>Envelope C2</source>
            <translation>Plic C2</translation>
        </message>
        <message>
            <source>Envelope C3</source>
            <translation>Plic C3</translation>
        </message>
        <message>
            <source>Envelope C4</source>
            <translation>Plic C4</translation>
        </message>
        <message>
            <source>Envelope C5</source>
            <translation>Plic C5</translation>
        </message>
        <message>
            <source>Envelope C6</source>
            <translation>Plic C6</translation>
        </message>
        <message>
            <source>Envelope C7</source>
            <translation>Plic C7</translation>
        </message>
        <message>
            <source>Executive (7.5 x 10 in)</source>
            <translation>Executive (7,5 x 10 in)</translation>
        </message>
        <message>
            <source>ANSI C</source>
            <translation>ANSI C</translation>
        </message>
        <message>
            <source>ANSI D</source>
            <translation>ANSI D</translation>
        </message>
        <message>
            <source>ANSI E</source>
            <translation>ANSI E</translation>
        </message>
        <message>
            <source>A4 Plus</source>
            <translation>A4 Plus</translation>
        </message>
        <message>
            <source>Custom</source>
            <translation>Personalizat</translation>
        </message>
        <message>
            <source>JIS B0</source>
            <translation>JIS B0</translation>
        </message>
        <message>
            <source>JIS B1</source>
            <translation>JIS B1</translation>
        </message>
        <message>
            <source>JIS B2</source>
            <translation>JIS B2</translation>
        </message>
        <message>
            <source>JIS B3</source>
            <translation>JIS B3</translation>
        </message>
        <message>
            <source>JIS B4</source>
            <translation>JIS B4</translation>
        </message>
        <message>
            <source>JIS B5</source>
            <translation>JIS B5</translation>
        </message>
        <message>
            <source>JIS B6</source>
            <translation>JIS B6</translation>
        </message>
        <message>
            <source>JIS B7</source>
            <translation>JIS B7</translation>
        </message>
        <message>
            <source>JIS B8</source>
            <translation>JIS B8</translation>
        </message>
        <message>
            <source>JIS B9</source>
            <translation>JIS B9</translation>
        </message>
        <message>
            <source>A3 Extra</source>
            <translation>A3 Extra</translation>
        </message>
        <message>
            <source>PRC 16K</source>
            <translation>PRC 16K</translation>
        </message>
        <message>
            <source>PRC 32K</source>
            <translation>PRC 32K</translation>
        </message>
        <message>
            <source>Quarto</source>
            <translation>Quarto</translation>
        </message>
        <message>
            <source>PRC 32K Big</source>
            <translation>PRC 32K mare</translation>
        </message>
        <message>
            <source>A4 Extra</source>
            <translation>A4 Extra</translation>
        </message>
        <message>
            <source>A4 Small</source>
            <translation>A4 mic</translation>
        </message>
        <message>
            <source>Executive (7.25 x 10.5 in)</source>
            <translation>Executive (7,25 x 10,5 in)</translation>
        </message>
        <message>
            <source>Postcard</source>
            <translation>Carte postala</translation>
        </message>
        <message>
            <source>Tabloid / ANSI B</source>
            <translation>Tabloid / ANSI B</translation>
        </message>
        <message>
            <source>A5 Extra</source>
            <translation>A5 Extra</translation>
        </message>
        <message>
            <source>B5 Extra</source>
            <translation>B5 Extra</translation>
        </message>
        <message>
            <source>Envelope Invite</source>
            <translation>Plic invitatie</translation>
        </message>
        <message>
            <source>Envelope Chou 3</source>
            <translation>Plic Chou 3</translation>
        </message>
        <message>
            <source>Envelope Chou 4</source>
            <translation>Plic Chou 4</translation>
        </message>
        <message>
            <source>Statement</source>
            <translation>Statement</translation>
        </message>
        <message>
            <source>Fan-fold German (8.5 x 12 in)</source>
            <translation>Hartie continua germana (8,5 x 12 in)</translation>
        </message>
        <message>
            <source>Envelope PRC 10</source>
            <translation>Plic PRC 10</translation>
        </message>
        <message>
            <source>Envelope Kaku 2</source>
            <translation>Plic Kaku 2</translation>
        </message>
        <message>
            <source>Envelope Kaku 3</source>
            <translation>Plic Kaku 3</translation>
        </message>
        <message>
            <source>Envelope US 9</source>
            <translation>Plic US 9</translation>
        </message>
        <message>
            <source>%1 x %2 in</source>
            <translation>%1 x %2 in</translation>
        </message>
        <message>
            <source>Super A</source>
            <translation>Super A</translation>
        </message>
        <message>
            <source>Super B</source>
            <translation>Super B</translation>
        </message>
        <message>
            <source>Fan-fold US (14.875 x 11 in)</source>
            <translation>Hartie continua SUA (14,875 x 11 in)</translation>
        </message>
        <message>
            <source>Fan-fold German Legal (8.5 x 13 in)</source>
            <translation>Hartie continua germana Legal (8,5 x 13 in)</translation>
        </message>
        <message>
            <source>Custom (%1in x %2in)</source>
            <translation>Personalizat (%1in x %2in)</translation>
        </message>
        <message>
            <source>Custom (%1mm x %2mm)</source>
            <translation>Personalizat (%1mm x %2mm)</translation>
        </message>
        <message>
            <source>Custom (%1CC x %2CC)</source>
            <translation>Personalizat (%1CC x %2CC)</translation>
        </message>
        <message>
            <source>Custom (%1DD x %2DD)</source>
            <translation>Personalizat (%1DD x %2DD)</translation>
        </message>
        <message>
            <source>Custom (%1pc x %2pc)</source>
            <translation>Personalizat (%1pc x %2pc)</translation>
        </message>
        <message>
            <source>Custom (%1pt x %2pt)</source>
            <translation>Personalizat (%1pt x %2pt)</translation>
        </message>
        <message>
            <source>Letter Plus</source>
            <translation>Letter Plus</translation>
        </message>
        <message>
            <source>Tabloid Extra</source>
            <translation>Tabloid Extra</translation>
        </message>
        <message>
            <source>Envelope Italian</source>
            <translation>Plic italian</translation>
        </message>
        <message>
            <source>Double Postcard</source>
            <translation>Carte postala dubla</translation>
        </message>
        <message>
            <source>Legal Extra</source>
            <translation>Legal Extra</translation>
        </message>
        <message>
            <source>Folio (8.27 x 13 in)</source>
            <translation>Folio (8,27 x 13 in)</translation>
        </message>
        <message>
            <source>Ledger / ANSI B</source>
            <translation>Ledger / ANSI B</translation>
        </message>
        <message>
            <source>JIS B10</source>
            <translation>JIS B10</translation>
        </message>
        <message>
            <source>Envelope Personal</source>
            <translation>Plic personal</translation>
        </message>
    </context>
    <context>
        <name>QPlatformTheme</name>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>&amp;No</source>
            <translation>&amp;Nu</translation>
        </message>
        <message>
            <source>&amp;Yes</source>
            <translation>&amp;Da</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ajutor</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>&amp;Deschide</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>&amp;Salveaza</translation>
        </message>
        <message>
            <source>Abort</source>
            <translation>&amp;Abandon</translation>
        </message>
        <message>
            <source>Apply</source>
            <translation>Aplica</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>&amp;Inchide</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Reseteaza</translation>
        </message>
        <message>
            <source>Retry</source>
            <translation>&amp;Reincercare</translation>
        </message>
        <message>
            <source>Restore Defaults</source>
            <translation>Valori implicite</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Anulare</translation>
        </message>
        <message>
            <source>Ignore</source>
            <translation>&amp;Ignorare</translation>
        </message>
        <message>
            <source>N&amp;o to All</source>
            <translation>Nu la t&amp;oate</translation>
        </message>
        <message>
            <source>Save All</source>
            <translation>Salveaza &amp;tot</translation>
        </message>
        <message>
            <source>Discard</source>
            <translation>Renunta</translation>
        </message>
        <message>
            <source>Yes to &amp;All</source>
            <translation>Da la &amp;toate</translation>
        </message>
    </context>
    <context>
        <name>QPrintDialog</name>
        <message>
            <source>Even Pages</source>
            <translation>Pare</translation>
        </message>
        <message>
            <source>Print</source>
            <translation>Tiparire</translation>
        </message>
        <message>
            <source>&amp;Options &lt;&lt;</source>
            <translation>&amp;Optiuni &lt;&lt;</translation>
        </message>
        <message>
            <source>&amp;Options &gt;&gt;</source>
            <translation>&amp;Optiuni &gt;&gt;</translation>
        </message>
        <message>
            <source>Left to Right, Top to Bottom</source>
            <translation>De la stanga la dreapta, de sus in jos</translation>
        </message>
        <message>
            <source>Right to Left, Bottom to Top</source>
            <translation>De la dreapta la stanga, de jos in sus</translation>
        </message>
        <message>
            <source>Write PDF file</source>
            <translation>Scrie fisier PDF</translation>
        </message>
        <message>
            <source>&amp;Print</source>
            <translation>&amp;Tipareste</translation>
        </message>
        <message>
            <source>1 (1x1)</source>
            <translation>1 (1x1)</translation>
        </message>
        <message>
            <source>Options 'Pages Per Sheet' and 'Page Set' cannot be used together.
Please turn one of those options off.</source>
            <translation>Optiunile 'Pagini pe foaie' si 'Setul de pagini' nu pot fi folosite impreuna.
Renuntati la una dintre ele.</translation>
        </message>
        <message>
            <source>%1 already exists.
Do you want to overwrite it?</source>
            <translation>%1 exista deja.
Il inlocuiti?</translation>
        </message>
        <message>
            <source>2 (2x1)</source>
            <translation>2 (2x1)</translation>
        </message>
        <message>
            <source>Left to Right, Bottom to Top</source>
            <translation>De la stanga la dreapta, de jos in sus</translation>
        </message>
        <message>
            <source>4 (2x2)</source>
            <translation>4 (2x2)</translation>
        </message>
        <message>
            <source>Odd Pages</source>
            <translation>Impare</translation>
        </message>
        <message>
            <source>Local file</source>
            <translation>Fisier local</translation>
        </message>
        <message>
            <source>6 (2x3)</source>
            <translation>6 (2x3)</translation>
        </message>
        <message>
            <source>16 (4x4)</source>
            <translation>16 (4x4)</translation>
        </message>
        <message>
            <source>There are conflicts in duplex settings. Do you want to fix them?</source>
            <translation>Setarile fata-verso se contrazic. Le corectati?</translation>
        </message>
        <message>
            <source>Print to File (PDF)</source>
            <translation>Tiparire in fisier (PDF)</translation>
        </message>
        <message>
            <source>Print To File ...</source>
            <translation>Tiparire in fisier ...</translation>
        </message>
        <message>
            <source>Invalid Pages Definition</source>
            <translation>Pagini scrise gresit</translation>
        </message>
        <message>
            <source>%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define ranges and make sure ranges do not intersect with each other.</source>
            <translation>%1 nu este scris corect. Separati paginile si intervalele prin ',', scrieti un interval cu '-' si aveti grija ca intervalele sa nu se suprapuna.</translation>
        </message>
        <message>
            <source>9 (3x3)</source>
            <translation>9 (3x3)</translation>
        </message>
        <message>
            <source>Right to Left, Top to Bottom</source>
            <translation>De la dreapta la stanga, de sus in jos</translation>
        </message>
        <message>
            <source>Bottom to Top, Left to Right</source>
            <translation>De jos in sus, de la stanga la dreapta</translation>
        </message>
        <message>
            <source>All Pages</source>
            <translation>Toate</translation>
        </message>
        <message>
            <source>Duplex Settings Conflicts</source>
            <translation>Setari fata-verso care se contrazic</translation>
        </message>
        <message>
            <source>%1 is a directory.
Please choose a different file name.</source>
            <translation>%1 este un folder.
Alegeti alt nume de fisier.</translation>
        </message>
        <message>
            <source>File %1 is not writable.
Please choose a different file name.</source>
            <translation>Fisierul %1 nu poate fi scris.
Alegeti alt nume de fisier.</translation>
        </message>
        <message>
            <source>Bottom to Top, Right to Left</source>
            <translation>De jos in sus, de la dreapta la stanga</translation>
        </message>
        <message>
            <source>Top to Bottom, Left to Right</source>
            <translation>De sus in jos, de la stanga la dreapta</translation>
        </message>
        <message>
            <source>Top to Bottom, Right to Left</source>
            <translation>De sus in jos, de la dreapta la stanga</translation>
        </message>
    </context>
    <context>
        <name>QPrintPreviewDialog</name>
        <message>
            <source>%1%</source>
            <translation>%1%</translation>
        </message>
        <message>
            <source>Print Preview</source>
            <translation>Previzualizare tiparire</translation>
        </message>
        <message>
            <source>Print</source>
            <translation>Tipareste</translation>
        </message>
        <message>
            <source>Fit page</source>
            <translation>Pagina intreaga</translation>
        </message>
        <message>
            <source>Zoom in</source>
            <translation>Mareste</translation>
        </message>
        <message>
            <source>Landscape</source>
            <translation>Peisaj</translation>
        </message>
        <message>
            <source>Zoom out</source>
            <translation>Micsoreaza</translation>
        </message>
        <message>
            <source>Fit width</source>
            <translation>Latimea paginii</translation>
        </message>
        <message>
            <source>Portrait</source>
            <translation>Portret</translation>
        </message>
        <message>
            <source>Page Setup</source>
            <translation>Setare Pagina</translation>
        </message>
        <message>
            <source>Page setup</source>
            <translation>Setare pagina</translation>
        </message>
        <message>
            <source>Show overview of all pages</source>
            <translation>Arata toate paginile</translation>
        </message>
        <message>
            <source>First page</source>
            <translation>Prima pagina</translation>
        </message>
        <message>
            <source>Last page</source>
            <translation>Ultima pagina</translation>
        </message>
        <message>
            <source>Show single page</source>
            <translation>Arata o singura pagina</translation>
        </message>
        <message>
            <source>Previous page</source>
            <translation>Pagina anterioara</translation>
        </message>
        <message>
            <source>Next page</source>
            <translation>Pagina urmatoare</translation>
        </message>
        <message>
            <source>Show facing pages</source>
            <translation>Arata cate doua pagini</translation>
        </message>
    </context>
    <context>
        <name>QPrintPropertiesDialog</name>
        <message>
            <source>Advanced Option Conflicts</source>
            <translation>Optiuni avansate care se contrazic</translation>
        </message>
        <message>
            <source>Job Options</source>
            <translation>Optiunile lucrarii</translation>
        </message>
        <message>
            <source>Page Setup Conflicts</source>
            <translation>Setari de pagina care se contrazic</translation>
        </message>
        <message>
            <source>There are conflicts in some advanced options. Do you want to fix them?</source>
            <translation>Unele optiuni avansate se contrazic. Le corectati?</translation>
        </message>
        <message>
            <source>There are conflicts in page setup options. Do you want to fix them?</source>
            <translation>Unele setari de pagina se contrazic. Le corectati?</translation>
        </message>
        <message>
            <source>Printer Properties</source>
            <translation>Proprietati imprimanta</translation>
        </message>
    </context>
    <context>
        <name>QPrintPropertiesWidget</name>
        <message>
            <source>Form</source>
            <translation>Formular</translation>
        </message>
        <message>
            <source>Page</source>
            <translation>Pagina</translation>
        </message>
        <message>
            <source>There are conflicts in some options. Please fix them.</source>
            <translation>Unele optiuni se contrazic. Corectati-le.</translation>
        </message>
        <message>
            <source>Advanced</source>
            <translation>Avansat</translation>
        </message>
    </context>
    <context>
        <name>QPrintSettingsOutput</name>
        <message>
            <source>to</source>
            <translation>la</translation>
        </message>
        <message>
            <source>Off</source>
            <translation>Nu</translation>
        </message>
        <message>
            <source>Form</source>
            <translation>Formular</translation>
        </message>
        <message>
            <source>Color</source>
            <translation>Color</translation>
        </message>
        <message>
            <source>Print all</source>
            <translation>Toate</translation>
        </message>
        <message>
            <source>Pages</source>
            <translation>Paginile</translation>
        </message>
        <message>
            <source>Current Page</source>
            <translation>Pagina curenta</translation>
        </message>
        <message>
            <source>Selection</source>
            <translation>Selectia</translation>
        </message>
        <message>
            <source>Copies</source>
            <translation>Copii</translation>
        </message>
        <message>
            <source>Print range</source>
            <translation>Ce se tipareste</translation>
        </message>
        <message>
            <source>Color Mode</source>
            <translation>Culori</translation>
        </message>
        <message>
            <source>Options</source>
            <translation>Optiuni</translation>
        </message>
        <message>
            <source>Output Settings</source>
            <translation>Setari tiparire</translation>
        </message>
        <message>
            <source>Reverse</source>
            <translation>Ordine inversa</translation>
        </message>
        <message>
            <source>Grayscale</source>
            <translation>Tonuri de gri</translation>
        </message>
        <message>
            <source>Collate</source>
            <translation>Colationare</translation>
        </message>
        <message>
            <source>Copies:</source>
            <translation>Copii:</translation>
        </message>
        <message>
            <source>Short side binding</source>
            <translation>Legare pe latura scurta</translation>
        </message>
        <message>
            <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
            <translation>Scrieti paginile sau intervalele separate prin virgula. Un interval se scrie ca doua numere separate prin cratima. De exemplu: 3,5-7,9 tipareste paginile 3, 5, 6, 7 si 9.</translation>
        </message>
        <message>
            <source>Pages from</source>
            <translation>De la</translation>
        </message>
        <message>
            <source>Double Sided Printing</source>
            <translation>Tiparire fata-verso</translation>
        </message>
        <message>
            <source>Page Set:</source>
            <translation>Setul de pagini:</translation>
        </message>
        <message>
            <source>Long side binding</source>
            <translation>Legare pe latura lunga</translation>
        </message>
    </context>
    <context>
        <name>QPrintWidget</name>
        <message>
            <source>...</source>
            <translation>...</translation>
        </message>
        <message>
            <source>Form</source>
            <translation>Formular</translation>
        </message>
        <message>
            <source>Type:</source>
            <translation>Tip:</translation>
        </message>
        <message>
            <source>&amp;Name:</source>
            <translation>&amp;Nume:</translation>
        </message>
        <message>
            <source>Output &amp;file:</source>
            <translation>&amp;Fisier:</translation>
        </message>
        <message>
            <source>P&amp;roperties</source>
            <translation>P&amp;roprietati</translation>
        </message>
        <message>
            <source>Preview</source>
            <translation>Previzualizare</translation>
        </message>
        <message>
            <source>Printer</source>
            <translation>Imprimanta</translation>
        </message>
        <message>
            <source>Location:</source>
            <translation>Locatie:</translation>
        </message>
    </context>
    <context>
        <name>QProgressDialog</name>
        <message>
            <source>Cancel</source>
            <translation>Anulare</translation>
        </message>
    </context>
    <context>
        <name>QSaveFile</name>
        <message>
            <source>Filename refers to a directory</source>
            <translation>Numele este al unui folder</translation>
        </message>
        <message>
            <source>Writing canceled by application</source>
            <translation>Scrierea a fost oprita de program</translation>
        </message>
        <message>
            <source>Existing file %1 is not writable</source>
            <translation>Fisierul %1 nu poate fi scris</translation>
        </message>
    </context>
    <context>
        <name>QScrollBar</name>
        <message>
            <source>Top</source>
            <translation>La inceput</translation>
        </message>
        <message>
            <source>Scroll down</source>
            <translation>Deruleaza in jos</translation>
        </message>
        <message>
            <source>Scroll here</source>
            <translation>Deruleaza aici</translation>
        </message>
        <message>
            <source>Scroll left</source>
            <translation>Deruleaza la stanga</translation>
        </message>
        <message>
            <source>Bottom</source>
            <translation>La sfarsit</translation>
        </message>
        <message>
            <source>Page up</source>
            <translation>O pagina in sus</translation>
        </message>
        <message>
            <source>Page right</source>
            <translation>O pagina la dreapta</translation>
        </message>
        <message>
            <source>Scroll up</source>
            <translation>Deruleaza in sus</translation>
        </message>
        <message>
            <source>Scroll right</source>
            <translation>Deruleaza la dreapta</translation>
        </message>
        <message>
            <source>Left edge</source>
            <translation>Marginea din stanga</translation>
        </message>
        <message>
            <source>Page down</source>
            <translation>O pagina in jos</translation>
        </message>
        <message>
            <source>Page left</source>
            <translation>O pagina la stanga</translation>
        </message>
        <message>
            <source>Right edge</source>
            <translation>Marginea din dreapta</translation>
        </message>
    </context>
    <context>
        <name>QShortcut</name>
        <message>
            <source>+</source>
            <translation>+</translation>
        </message>
        <message>
            <source>No</source>
            <translation>Nu</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>Sus</translation>
        </message>
        <message>
            <source>Alt</source>
            <translation>Alt</translation>
        </message>
        <message>
            <source>F%1</source>
            <translation>F%1</translation>
        </message>
        <message>
            <source>Del</source>
            <translation>Del</translation>
        </message>
        <message>
            <source>Cut</source>
            <translation>Taie</translation>
        </message>
        <message>
            <source>End</source>
            <translation>End</translation>
        </message>
        <message>
            <source>Esc</source>
            <translation>Esc</translation>
        </message>
        <message>
            <source>Ins</source>
            <translation>Ins</translation>
        </message>
        <message>
            <source>New</source>
            <translation>Nou</translation>
        </message>
        <message>
            <source>Num</source>
            <translation>Num</translation>
        </message>
        <message>
            <source>Tab</source>
            <translation>Tab</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>Da</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Inapoi</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Copiaza</translation>
        </message>
        <message>
            <source>Ctrl</source>
            <translation>Ctrl</translation>
        </message>
        <message>
            <source>Down</source>
            <translation>Jos</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Iesire</translation>
        </message>
        <message>
            <source>Find</source>
            <translation>Cauta</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ajutor</translation>
        </message>
        <message>
            <source>Home</source>
            <translation>Home</translation>
        </message>
        <message>
            <source>Left</source>
            <translation>Stanga</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>Meniu</translation>
        </message>
        <message>
            <source>Meta</source>
            <translation>Meta</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Deschide</translation>
        </message>
        <message>
            <source>PgUp</source>
            <translation>PgUp</translation>
        </message>
        <message>
            <source>Redo</source>
            <translation>Refa</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Salveaza</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stop</translation>
        </message>
        <message>
            <source>Undo</source>
            <translation>Anuleaza</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>Clear</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Inchide</translation>
        </message>
        <message>
            <source>Enter</source>
            <translation>Enter</translation>
        </message>
        <message>
            <source>Paste</source>
            <translation>Lipeste</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>Pause</translation>
        </message>
        <message>
            <source>Print</source>
            <translation>Print</translation>
        </message>
        <message>
            <source>Right</source>
            <translation>Dreapta</translation>
        </message>
        <message>
            <source>Shift</source>
            <translation>Shift</translation>
        </message>
        <message>
            <source>Space</source>
            <translation>Spatiu</translation>
        </message>
        <message>
            <source>Print Screen</source>
            <translation>Print Screen</translation>
        </message>
        <message>
            <source>Zoom In</source>
            <translation>Mareste</translation>
        </message>
        <message>
            <source>Scroll Lock</source>
            <translation>Scroll Lock</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Anulare</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>Escape</source>
            <translation>Escape</translation>
        </message>
        <message>
            <source>Insert</source>
            <translation>Insert</translation>
        </message>
        <message>
            <source>PgDown</source>
            <translation>PgDown</translation>
        </message>
        <message>
            <source>Reload</source>
            <translation>Reincarca</translation>
        </message>
        <message>
            <source>Return</source>
            <translation>Return</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>Cautare</translation>
        </message>
        <message>
            <source>Select</source>
            <translation>Selectie</translation>
        </message>
        <message>
            <source>SysReq</source>
            <translation>SysReq</translation>
        </message>
        <message>
            <source>NumLock</source>
            <translation>NumLock</translation>
        </message>
        <message>
            <source>ScrollLock</source>
            <translation>ScrollLock</translation>
        </message>
        <message>
            <source>Zoom Out</source>
            <translation>Micsoreaza</translation>
        </message>
        <message>
            <source>Page Up</source>
            <translation>Page Up</translation>
        </message>
        <message>
            <source>Caps Lock</source>
            <translation>Caps Lock</translation>
        </message>
        <message>
            <source>System Request</source>
            <translation>System Request</translation>
        </message>
        <message>
            <source>CapsLock</source>
            <translation>CapsLock</translation>
        </message>
        <message>
            <source>Backtab</source>
            <translation>Backtab</translation>
        </message>
        <message>
            <source>Refresh</source>
            <translation>Reimprospatare</translation>
        </message>
        <message>
            <source>Backspace</source>
            <translation>Backspace</translation>
        </message>
        <message>
            <source>Control</source>
            <translation>Control</translation>
        </message>
        <message>
            <source>Calculator</source>
            <translation>Calculator</translation>
        </message>
        <message>
            <source>Num Lock</source>
            <translation>Num Lock</translation>
        </message>
        <message>
            <source>Number Lock</source>
            <translation>Number Lock</translation>
        </message>
        <message>
            <source>Execute</source>
            <translation>Executa</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Inainte</translation>
        </message>
        <message>
            <source>Page Down</source>
            <translation>Page Down</translation>
        </message>
    </context>
    <context>
        <name>QSpiAccessibleBridge</name>
        <message>
            <source>row</source>
            <translation>rand</translation>
        </message>
        <message>
            <source>cell</source>
            <translation>celula</translation>
        </message>
        <message>
            <source>dial</source>
            <translation>disc</translation>
        </message>
        <message>
            <source>form</source>
            <translation>formular</translation>
        </message>
        <message>
            <source>grip</source>
            <translation>maner</translation>
        </message>
        <message>
            <source>link</source>
            <translation>legatura</translation>
        </message>
        <message>
            <source>list</source>
            <translation>lista</translation>
        </message>
        <message>
            <source>note</source>
            <translation>nota</translation>
        </message>
        <message>
            <source>text</source>
            <translation>text</translation>
        </message>
        <message>
            <source>tree</source>
            <translation>arbore</translation>
        </message>
        <message>
            <source>animation</source>
            <translation>animatie</translation>
        </message>
        <message>
            <source>chart</source>
            <translation>grafic</translation>
        </message>
        <message>
            <source>clock</source>
            <translation>ceas</translation>
        </message>
        <message>
            <source>frame</source>
            <translation>fereastra</translation>
        </message>
        <message>
            <source>label</source>
            <translation>eticheta</translation>
        </message>
        <message>
            <source>panel</source>
            <translation>panou</translation>
        </message>
        <message>
            <source>space</source>
            <translation>spatiu</translation>
        </message>
        <message>
            <source>sound</source>
            <translation>sunet</translation>
        </message>
        <message>
            <source>table</source>
            <translation>tabel</translation>
        </message>
        <message>
            <source>radio button</source>
            <translation>buton de optiune</translation>
        </message>
        <message>
            <source>page tab list</source>
            <translation>lista de file</translation>
        </message>
        <message>
            <source>web document</source>
            <translation>document web</translation>
        </message>
        <message>
            <source>combo box</source>
            <translation>lista derulanta</translation>
        </message>
        <message>
            <source>color chooser</source>
            <translation>alegere culoare</translation>
        </message>
        <message>
            <source>menu item</source>
            <translation>element de meniu</translation>
        </message>
        <message>
            <source>document</source>
            <translation>document</translation>
        </message>
        <message>
            <source>scroll bar</source>
            <translation>bara de derulare</translation>
        </message>
        <message>
            <source>tool bar</source>
            <translation>bara de instrumente</translation>
        </message>
        <message>
            <source>tool tip</source>
            <translation>indicatie</translation>
        </message>
        <message>
            <source>text caret</source>
            <translation>cursor de text</translation>
        </message>
        <message>
            <source>button menu</source>
            <translation>buton cu meniu</translation>
        </message>
        <message>
            <source>separator</source>
            <translation>separator</translation>
        </message>
        <message>
            <source>canvas</source>
            <translation>suprafata de desen</translation>
        </message>
        <message>
            <source>column</source>
            <translation>coloana</translation>
        </message>
        <message>
            <source>cursor</source>
            <translation>cursor</translation>
        </message>
        <message>
            <source>dialog</source>
            <translation>dialog</translation>
        </message>
        <message>
            <source>filler</source>
            <translation>umplutura</translation>
        </message>
        <message>
            <source>footer</source>
            <translation>subsol</translation>
        </message>
        <message>
            <source>push button</source>
            <translation>buton</translation>
        </message>
        <message>
            <source>row header</source>
            <translation>cap de rand</translation>
        </message>
        <message>
            <source>spin box</source>
            <translation>caseta numerica</translation>
        </message>
        <message>
            <source>splitter</source>
            <translation>separator de panouri</translation>
        </message>
        <message>
            <source>slider</source>
            <translation>cursor glisant</translation>
        </message>
        <message>
            <source>button with drop down grid</source>
            <translation>buton cu grila</translation>
        </message>
        <message>
            <source>page tab</source>
            <translation>fila</translation>
        </message>
        <message>
            <source>invalid role</source>
            <translation>rol necunoscut</translation>
        </message>
        <message>
            <source>paragraph</source>
            <translation>paragraf</translation>
        </message>
        <message>
            <source>equation</source>
            <translation>ecuatie</translation>
        </message>
        <message>
            <source>notification</source>
            <translation>notificare</translation>
        </message>
        <message>
            <source>complementary content</source>
            <translation>continut complementar</translation>
        </message>
        <message>
            <source>section</source>
            <translation>sectiune</translation>
        </message>
        <message>
            <source>assistant</source>
            <translation>asistent</translation>
        </message>
        <message>
            <source>list item</source>
            <translation>element de lista</translation>
        </message>
        <message>
            <source>desktop</source>
            <translation>desktop</translation>
        </message>
        <message>
            <source>indicator</source>
            <translation>indicator</translation>
        </message>
        <message>
            <source>title bar</source>
            <translation>bara de titlu</translation>
        </message>
        <message>
            <source>tree item</source>
            <translation>element de arbore</translation>
        </message>
        <message>
            <source>check box</source>
            <translation>caseta de bifare</translation>
        </message>
        <message>
            <source>status bar</source>
            <translation>bara de stare</translation>
        </message>
        <message>
            <source>progress bar</source>
            <translation>bara de progres</translation>
        </message>
        <message>
            <source>alert message</source>
            <translation>mesaj de alerta</translation>
        </message>
        <message>
            <source>property page</source>
            <translation>pagina de proprietati</translation>
        </message>
        <message>
            <source>popup menu</source>
            <translation>meniu</translation>
        </message>
        <message>
            <source>layered pane</source>
            <translation>panou pe straturi</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>necunoscut</translation>
        </message>
        <message>
            <source>menu bar</source>
            <translation>bara de meniu</translation>
        </message>
        <message>
            <source>column header</source>
            <translation>cap de coloana</translation>
        </message>
        <message>
            <source>terminal</source>
            <translation>terminal</translation>
        </message>
        <message>
            <source>button with drop down</source>
            <translation>buton cu lista</translation>
        </message>
        <message>
            <source>hotkey field</source>
            <translation>camp de scurtatura</translation>
        </message>
        <message>
            <source>graphic</source>
            <translation>imagine</translation>
        </message>
        <message>
            <source>help balloon</source>
            <translation>balon de ajutor</translation>
        </message>
        <message>
            <source>heading</source>
            <translation>titlu</translation>
        </message>
        <message>
            <source>application</source>
            <translation>aplicatie</translation>
        </message>
    </context>
    <context>
        <name>QTabBar</name>
        <message>
            <source>Scroll Left</source>
            <translation>Deruleaza la stanga</translation>
        </message>
        <message>
            <source>Scroll Right</source>
            <translation>Deruleaza la dreapta</translation>
        </message>
    </context>
    <context>
        <name>QUnicodeControlCharacterMenu</name>
        <message>
            <source>RLE Start of right-to-left embedding</source>
            <translation>RLE Inceput de inserare de la dreapta la stanga</translation>
        </message>
        <message>
            <source>ZWSP Zero width space</source>
            <translation>ZWSP Spatiu de latime zero</translation>
        </message>
        <message>
            <source>LRI Left-to-right isolate</source>
            <translation>LRI Izolare de la stanga la dreapta</translation>
        </message>
        <message>
            <source>Insert Unicode control character</source>
            <translation>Insereaza un caracter de control Unicode</translation>
        </message>
        <message>
            <source>LRO Start of left-to-right override</source>
            <translation>LRO Inceput de fortare de la stanga la dreapta</translation>
        </message>
        <message>
            <source>LRE Start of left-to-right embedding</source>
            <translation>LRE Inceput de inserare de la stanga la dreapta</translation>
        </message>
        <message>
            <source>RLI Right-to-left isolate</source>
            <translation>RLI Izolare de la dreapta la stanga</translation>
        </message>
        <message>
            <source>RLM Right-to-left mark</source>
            <translation>RLM Marcaj de la dreapta la stanga</translation>
        </message>
        <message>
            <source>PDF Pop directional formatting</source>
            <translation>PDF Sfarsit de formatare directionala</translation>
        </message>
        <message>
            <source>ZWNJ Zero width non-joiner</source>
            <translation>ZWNJ Separator de latime zero</translation>
        </message>
        <message>
            <source>RLO Start of right-to-left override</source>
            <translation>RLO Inceput de fortare de la dreapta la stanga</translation>
        </message>
        <message>
            <source>PDI Pop directional isolate</source>
            <translation>PDI Sfarsit de izolare directionala</translation>
        </message>
        <message>
            <source>ZWJ Zero width joiner</source>
            <translation>ZWJ Legatura de latime zero</translation>
        </message>
        <message>
            <source>LRM Left-to-right mark</source>
            <translation>LRM Marcaj de la stanga la dreapta</translation>
        </message>
        <message>
            <source>FSI First strong isolate</source>
            <translation>FSI Izolare dupa primul caracter puternic</translation>
        </message>
    </context>
    <context>
        <name>QWhatsThisAction</name>
        <message>
            <source>What's This?</source>
            <translation>Ce este aceasta?</translation>
        </message>
    </context>
    <context>
        <name>QWidget</name>
        <message>
            <source>*</source>
            <translation>*</translation>
        </message>
    </context>
    <context>
        <name>QWidgetTextControl</name>
        <message>
            <source>Cu&amp;t</source>
            <translation>&amp;Taie</translation>
        </message>
        <message>
            <source>&amp;Copy</source>
            <translation>&amp;Copiaza</translation>
        </message>
        <message>
            <source>&amp;Redo</source>
            <translation>&amp;Refa</translation>
        </message>
        <message>
            <source>&amp;Undo</source>
            <translation>&amp;Anuleaza</translation>
        </message>
        <message>
            <source>&amp;Paste</source>
            <translation>&amp;Lipeste</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Sterge</translation>
        </message>
        <message>
            <source>Select All</source>
            <translation>Selecteaza tot</translation>
        </message>
        <message>
            <source>Copy &amp;Link Location</source>
            <translation>Copiaza a&amp;dresa legaturii</translation>
        </message>
    </context>
</TS>
