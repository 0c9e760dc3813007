-- Seed rows of Comun.mdb (the countries and currencies come first, from their own script).

-- EU member states under their ISO codes (Greece as GR), and Northern Ireland.
INSERT INTO Tari_UE (COD_TARA, Tara_DESC, DATA_ADERARII)
SELECT Tara_COD, Tara_DESC,
       CASE WHEN Tara_COD IN ('BE', 'DE', 'FR', 'IT', 'LU', 'NL') THEN '1958-01-01'
            WHEN Tara_COD IN ('DK', 'IE') THEN '1973-01-01'
            WHEN Tara_COD = 'GR' THEN '1981-01-01'
            WHEN Tara_COD IN ('ES', 'PT') THEN '1986-01-01'
            WHEN Tara_COD IN ('AT', 'FI', 'SE') THEN '1995-01-01'
            WHEN Tara_COD IN ('CY', 'CZ', 'EE', 'HU', 'LT', 'LV', 'MT', 'PL', 'SI', 'SK') THEN '2004-05-01'
            WHEN Tara_COD IN ('BG', 'RO') THEN '2007-01-01'
            WHEN Tara_COD = 'HR' THEN '2013-07-01'
            WHEN Tara_COD = 'XI' THEN '2021-01-01'
       END
FROM Tari
WHERE Tara_COD IN ('BE', 'DE', 'FR', 'IT', 'LU', 'NL', 'DK', 'IE', 'GR', 'ES', 'PT', 'AT', 'FI', 'SE',
                   'CY', 'CZ', 'EE', 'HU', 'LT', 'LV', 'MT', 'PL', 'SI', 'SK', 'BG', 'RO', 'HR', 'XI');

-- Delivery terms: the Incoterms 2020 rules, and a code for any other terms.
INSERT INTO Incoterms (Incoterms_COD, Incoterms_DESC) VALUES
    ('EXW', 'Franco fabrica (Ex Works) - locul convenit'),
    ('FCA', 'Franco transportator (Free Carrier) - locul convenit'),
    ('CPT', 'Transport platit pana la (Carriage Paid To) - locul de destinatie convenit'),
    ('CIP', 'Transport si asigurare platite pana la (Carriage and Insurance Paid To) - locul de destinatie convenit'),
    ('DAP', 'Livrat la locul de destinatie (Delivered at Place) - locul de destinatie convenit'),
    ('DPU', 'Livrat la locul de destinatie, descarcat (Delivered at Place Unloaded) - locul de destinatie convenit'),
    ('DDP', 'Livrat cu taxele platite (Delivered Duty Paid) - locul de destinatie convenit'),
    ('FAS', 'Franco de-a lungul navei (Free Alongside Ship) - portul de incarcare convenit'),
    ('FOB', 'Franco la bord (Free On Board) - portul de incarcare convenit'),
    ('CFR', 'Cost si navlu (Cost and Freight) - portul de destinatie convenit'),
    ('CIF', 'Cost, asigurare si navlu (Cost, Insurance and Freight) - portul de destinatie convenit'),
    ('XXX', 'Alte conditii de livrare');

INSERT INTO MOD_TRANS (COD_MOD_TRANS, DESC_MOD_TRANS) VALUES
    ('1', 'Transport maritim'),
    ('2', 'Transport feroviar'),
    ('3', 'Transport rutier'),
    ('4', 'Transport aerian'),
    ('5', 'Expeditii postale'),
    ('7', 'Instalatii fixe de transport'),
    ('8', 'Transport pe cai navigabile interioare'),
    ('9', 'Propulsie proprie');

-- Nature of transaction, the codes in force from 2022 (level A, then level B).
INSERT INTO Tranzactii (TR1_COD, TR2_COD, TR_DESC) VALUES
    ('1', '1', 'Cumparare/vanzare ferma, cu exceptia comertului direct cu/de catre consumatori privati'),
    ('1', '2', 'Comert direct cu/de catre consumatori privati (inclusiv vanzarea la distanta)'),
    ('2', '1', 'Returnarea bunurilor'),
    ('2', '2', 'Inlocuirea bunurilor returnate'),
    ('2', '3', 'Inlocuirea (de exemplu in garantie) a bunurilor care nu sunt returnate'),
    ('3', '1', 'Transferuri catre/dinspre un depozit (cu exceptia stocurilor la dispozitia clientului si a celor in consignatie)'),
    ('3', '2', 'Livrari pentru vanzare pe baza de aprobare sau dupa testare (inclusiv stocurile la dispozitia clientului si cele in consignatie)'),
    ('3', '3', 'Leasing financiar'),
    ('3', '4', 'Tranzactii care implica transferul dreptului de proprietate fara compensatie financiara'),
    ('4', '1', 'Bunuri care urmeaza sa se intoarca in statul membru/tara de expediere initiala (prelucrare in baza unui contract)'),
    ('4', '2', 'Bunuri care nu urmeaza sa se intoarca in statul membru/tara de expediere initiala (prelucrare in baza unui contract)'),
    ('5', '1', 'Bunuri care se intorc in statul membru/tara de expediere initiala (dupa prelucrare in baza unui contract)'),
    ('5', '2', 'Bunuri care nu se intorc in statul membru/tara de expediere initiala (dupa prelucrare in baza unui contract)'),
    ('6', '0', 'Tranzactii speciale inregistrate in scopuri nationale'),
    ('7', '1', 'Punerea in libera circulatie a bunurilor intr-un stat membru, cu export ulterior catre un alt stat membru'),
    ('7', '2', 'Transportul bunurilor dintr-un stat membru in alt stat membru pentru plasarea lor sub regimul de export'),
    ('8', '0', 'Furnizarea de materiale de constructii si echipamente tehnice in cadrul unui contract general de constructii sau de inginerie civila, fara facturarea separata a bunurilor'),
    ('9', '1', 'Inchiriere, imprumut si leasing operational pe o perioada mai mare de 24 de luni'),
    ('9', '9', 'Alte tranzactii');

-- Supplementary units, spelled as the tariff prints them.
INSERT INTO UM (UM_COD, UM_DESC) VALUES
    ('p/st', 'Numar de bucati'),
    ('pa', 'Numar de perechi'),
    ('100 p/st', 'Sute de bucati'),
    ('1000 p/st', 'Mii de bucati'),
    ('l', 'Litru'),
    ('l alc. 100 %', 'Litru de alcool pur (100 %)'),
    ('m', 'Metru'),
    ('m²', 'Metru patrat'),
    ('m³', 'Metru cub'),
    ('1000 m³', 'Mii de metri cubi'),
    ('kg N', 'Kilogram de azot'),
    ('kg P2O5', 'Kilogram de pentaoxid de difosfor'),
    ('kg K2O', 'Kilogram de oxid de potasiu'),
    ('kg KOH', 'Kilogram de hidroxid de potasiu'),
    ('kg NaOH', 'Kilogram de hidroxid de sodiu'),
    ('kg H2O2', 'Kilogram de peroxid de hidrogen'),
    ('kg U', 'Kilogram de uraniu'),
    ('kg met.am.', 'Kilogram de metilamine'),
    ('kg 90 % sdt', 'Kilogram de substanta uscata 90 %'),
    ('kg/net eda', 'Kilogram greutate neta scursa'),
    ('g', 'Gram'),
    ('gi F/S', 'Gram de izotopi fisili'),
    ('c/k', 'Carat (1 carat metric = 2 x 10-4 kg)'),
    ('ct/l', 'Capacitate de incarcare in tone metrice'),
    ('ce/el', 'Numar de celule/elemente'),
    ('GT', 'Tonaj brut'),
    ('TJ', 'Terajoule (putere calorifica superioara)'),
    ('1000 kWh', 'Mii de kilowati-ora'),
    ('1000 l', 'Mii de litri');

-- Errors the grid layer reports for a refused write.
INSERT INTO Erori (Sursa, Nr_Eroare, Descriere) VALUES
    ('TDBGrid', 1, 'Textul depaseste lungimea admisa a coloanei'),
    ('TDBGrid', 2, 'Valoarea introdusa nu este un numar'),
    ('TDBGrid', 3, 'Valoarea introdusa nu este o data calendaristica'),
    ('TDBGrid', 4, 'Exista deja o inregistrare cu aceasta cheie'),
    ('TDBGrid', 5, 'Exista inregistrari legate'),
    ('TDBGrid', 6, 'Coloana trebuie completata'),
    ('TDBGrid', 7, 'Aceasta lista nu poate fi modificata'),
    ('TDBGrid', 8, 'Baza de date este ocupata, reincercati');

-- Reports.
INSERT INTO Reports (REP_ID, REP_NAME, REP_DESC)
VALUES (10001, 'Declaratie_Intrastat', 'Declaratia Intrastat a unei luni: sosiri sau expedieri');
INSERT INTO REPORTS_SEL (REP_ID, REP_DESCRIPTION)
VALUES (10001, 'Se tipareste din fereastra declaratiei, butonul Tipareste');
INSERT INTO Return_Report (REP_ID, XML_DEF, XML_FILE, REP_NAME, ComunDataBase, SQL_STR, Exista_SUB_Reports,
                           PageSize, PageOrientation, ReportCaption)
VALUES (10001, 1, 'UE_Reports.xml', 'Declaratie_Intrastat', 0,
        'SELECT TIP, Cod_Fiscal, Anul, Luna, Record_ID, Cod_NC, Descriere_NC, Tara_Orig, Tara_Exp, Tara_Dest, Val_Fiscala, Val_Stat, Net, Cod_UMS, Val_UMS, Nat_Tranz, Incoterms, Mod_Transp, Document_Numar_Referinta AS Document_Numar, Document_Data_Referinta AS Document_Data, VAT_ID, SourceFile FROM Intrastat',
        0, 9, 2, 'Declaratie Intrastat');

-- Comparison operators of the query builder, in the order they are offered.
INSERT INTO Semne_Cautare_Selectie (Nr_Semn, SeAplicaLa, Semn, DescSemn) VALUES
    (1, 'N', '= Valoare', '= egal cu'),
    (2, 'N', '<> Valoare', '<> diferit de'),
    (3, 'N', '> Valoare', '> mai mare decat'),
    (4, 'N', '>= Valoare', '>= mai mare sau egal'),
    (5, 'N', '< Valoare', '< mai mic decat'),
    (6, 'N', '<= Valoare', '<= mai mic sau egal'),
    (7, 'N', 'IS NULL', 'necompletat'),
    (8, 'N', 'IS NOT NULL', 'completat'),
    (9, 'D', '= #Valoare#', '= in data de'),
    (10, 'D', '>= #Valoare#', '>= incepand cu'),
    (11, 'D', '<= #Valoare#', '<= pana la'),
    (12, 'D', '> #Valoare#', '> dupa'),
    (13, 'D', '< #Valoare#', '< inainte de'),
    (14, 'D', 'IS NULL', 'necompletat'),
    (15, 'D', 'IS NOT NULL', 'completat'),
    (16, 'T', '= ''Valoare''', '= egal cu'),
    (17, 'T', '<> ''Valoare''', '<> diferit de'),
    (18, 'T', 'LIKE ''Valoare%''', 'incepe cu'),
    (19, 'T', 'LIKE ''%Valoare%''', 'contine'),
    (20, 'T', 'LIKE ''%Valoare''', 'se termina cu'),
    (21, 'T', 'IS NULL', 'necompletat'),
    (22, 'T', 'IS NOT NULL', 'completat'),
    (23, 'B', '= True', 'bifat (Da)'),
    (24, 'B', '= False', 'nebifat (Nu)');
