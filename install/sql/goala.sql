-- Company template goala.mdb: the declaration lines, the import templates, the
-- partner and material lists, the accounting tables and their procedures.

CREATE TABLE Intrastat (
    TIP                      TEXT(1) COLLATE NOCASE NOT NULL,
    Cod_Fiscal               TEXT(30) COLLATE NOCASE NOT NULL,
    Anul                     INTEGER NOT NULL,
    Luna                     INTEGER NOT NULL,
    Record_ID                INTEGER PRIMARY KEY AUTOINCREMENT,
    Cod_NC                   TEXT(20) COLLATE NOCASE,
    Descriere_NC             TEXT(255) COLLATE NOCASE,
    Tara_Orig                TEXT(2) COLLATE NOCASE,
    Tara_Exp                 TEXT(2) COLLATE NOCASE,
    Tara_Dest                TEXT(2) COLLATE NOCASE,
    Val_Fiscala              DOUBLE,
    Val_Stat                 DOUBLE,
    Net                      DOUBLE,
    Cod_UMS                  TEXT(20) COLLATE NOCASE,
    Val_UMS                  DOUBLE,
    Nat_Tranz                TEXT(2) COLLATE NOCASE,
    Incoterms                TEXT(3) COLLATE NOCASE,
    Mod_Transp               TEXT(2) COLLATE NOCASE,
    Document_Numar_Referinta TEXT(50) COLLATE NOCASE,
    Document_Data_Referinta  TEXT(50) COLLATE NOCASE,
    Descriere                TEXT(255) COLLATE NOCASE,
    Cantitate                DOUBLE,
    UM                       TEXT(20) COLLATE NOCASE,
    Valoare_Valuta           CURRENCY,
    Moneda                   TEXT(3) COLLATE NOCASE,
    Curs_Schimb              CURRENCY,
    VAT_ID                   TEXT(20) COLLATE NOCASE,
    SourceFile               TEXT(50) COLLATE NOCASE,
    Data_Preluare            DATETIME,
    UserName                 TEXT(50) COLLATE NOCASE,
    Probleme                 YESNO DEFAULT 0,
    Exista_UMS               YESNO DEFAULT 0,
    SourceFile_FullPath      TEXT(255) COLLATE NOCASE,
    Pozitia                  INTEGER
);
-- Year and month lead: integer conditions reach the index through the grouped views.
-- After the declaration key come the columns the chooser groups the imported
-- files by, so its list is read from the index alone, already grouped.
CREATE INDEX Intrastat_Cheie ON Intrastat (Anul, Luna, TIP, Cod_Fiscal, SourceFile, UserName, Data_Preluare);
CREATE INDEX Intrastat_SourceFile_FullPath ON Intrastat (SourceFile_FullPath);
CREATE INDEX Intrastat_SourceFile ON Intrastat (SourceFile);

-- The columns a worksheet can feed, with the caption the import templates show.
INSERT INTO _Descrieri (Tabel, Coloana, Descriere) VALUES
    ('Intrastat', 'Cod_NC', 'Cod NC (cod vamal 8 cifre)'),
    ('Intrastat', 'Descriere_NC', 'Descriere cod NC'),
    ('Intrastat', 'Tara_Orig', 'Tara Origine'),
    ('Intrastat', 'Tara_Exp', 'Tara Expeditie'),
    ('Intrastat', 'Tara_Dest', 'Tara Destinatie'),
    ('Intrastat', 'Val_Fiscala', 'Valoare Fiscala (lei)'),
    ('Intrastat', 'Val_Stat', 'Valoare Statistica (lei)'),
    ('Intrastat', 'Net', 'Masa Neta [Kg]'),
    ('Intrastat', 'Cod_UMS', 'UM Suplimentara'),
    ('Intrastat', 'Val_UMS', 'Cantitate in UM Suplimentara'),
    ('Intrastat', 'Nat_Tranz', 'Natura Tranzactiei'),
    ('Intrastat', 'Incoterms', 'Conditii Livrare'),
    ('Intrastat', 'Mod_Transp', 'Mod Transport'),
    ('Intrastat', 'Document_Numar_Referinta', 'Document Numar'),
    ('Intrastat', 'Document_Data_Referinta', 'Document Data'),
    ('Intrastat', 'Descriere', 'Descriere bunuri'),
    ('Intrastat', 'Cantitate', 'Cantitate'),
    ('Intrastat', 'UM', 'UM'),
    ('Intrastat', 'Valoare_Valuta', 'Valoare Valuta'),
    ('Intrastat', 'Moneda', 'Moneda'),
    ('Intrastat', 'Curs_Schimb', 'Curs Schimb'),
    ('Intrastat', 'VAT_ID', 'Cod TVA Partener');

-- Statistical-value groups, one row per group and imported file, each with the
-- percentage of its whole group.
CREATE VIEW Intrastat_Grup_Recalculare_I AS
SELECT f.TIP, f.Cod_Fiscal, f.Anul, f.Luna, f.Incoterms, f.Mod_Transp,
       f.Nat_Tranz, f.Tara, g.Procent, f.SourceFile, f.SourceFile_FullPath,
       g.Total_Fiscal, g.Total_Stat, g.Nr_Linii
FROM (SELECT DISTINCT TIP, Cod_Fiscal, Anul, Luna, Incoterms, Mod_Transp,
             Nat_Tranz, Tara_Exp AS Tara, SourceFile, SourceFile_FullPath
      FROM Intrastat) AS f
JOIN (SELECT TIP, Cod_Fiscal, Anul, Luna, Incoterms, Mod_Transp, Nat_Tranz,
             Tara_Exp AS Tara, SUM(Val_Fiscala) AS Total_Fiscal,
             SUM(IFNULL(Val_Stat, Val_Fiscala)) AS Total_Stat, COUNT(*) AS Nr_Linii,
             CASE WHEN IFNULL(SUM(Val_Fiscala), 0) = 0 THEN 0
                  ELSE ROUND((SUM(IFNULL(Val_Stat, Val_Fiscala))
                              / SUM(Val_Fiscala) - 1) * 100, 4) END AS Procent
      FROM Intrastat
      GROUP BY TIP, Cod_Fiscal, Anul, Luna, Incoterms, Mod_Transp, Nat_Tranz,
               Tara_Exp) AS g
  ON g.TIP = f.TIP AND g.Cod_Fiscal = f.Cod_Fiscal AND g.Anul = f.Anul
 AND g.Luna = f.Luna AND g.Incoterms IS f.Incoterms
 AND g.Mod_Transp IS f.Mod_Transp AND g.Nat_Tranz IS f.Nat_Tranz AND g.Tara IS f.Tara;

CREATE VIEW Intrastat_Grup_Recalculare_O AS
SELECT f.TIP, f.Cod_Fiscal, f.Anul, f.Luna, f.Incoterms, f.Mod_Transp,
       f.Nat_Tranz, f.Tara, g.Procent, f.SourceFile, f.SourceFile_FullPath,
       g.Total_Fiscal, g.Total_Stat, g.Nr_Linii
FROM (SELECT DISTINCT TIP, Cod_Fiscal, Anul, Luna, Incoterms, Mod_Transp,
             Nat_Tranz, Tara_Dest AS Tara, SourceFile, SourceFile_FullPath
      FROM Intrastat) AS f
JOIN (SELECT TIP, Cod_Fiscal, Anul, Luna, Incoterms, Mod_Transp, Nat_Tranz,
             Tara_Dest AS Tara, SUM(Val_Fiscala) AS Total_Fiscal,
             SUM(IFNULL(Val_Stat, Val_Fiscala)) AS Total_Stat, COUNT(*) AS Nr_Linii,
             CASE WHEN IFNULL(SUM(Val_Fiscala), 0) = 0 THEN 0
                  ELSE ROUND((SUM(IFNULL(Val_Stat, Val_Fiscala))
                              / SUM(Val_Fiscala) - 1) * 100, 4) END AS Procent
      FROM Intrastat
      GROUP BY TIP, Cod_Fiscal, Anul, Luna, Incoterms, Mod_Transp, Nat_Tranz,
               Tara_Dest) AS g
  ON g.TIP = f.TIP AND g.Cod_Fiscal = f.Cod_Fiscal AND g.Anul = f.Anul
 AND g.Luna = f.Luna AND g.Incoterms IS f.Incoterms
 AND g.Mod_Transp IS f.Mod_Transp AND g.Nat_Tranz IS f.Nat_Tranz AND g.Tara IS f.Tara;

-- Items of the declaration file: lines grouped, amounts summed and rounded to
-- whole numbers; a net mass under 1 kg is declared as 1, and so is a quantity
-- in the supplementary unit above 0 that would round to 0.
CREATE VIEW Intrastat_Sursa_Generare AS
SELECT TIP, Cod_Fiscal, Anul, Luna, MIN(Pozitia) AS Pozitia, Cod_NC,
       MAX(Descriere_NC) AS Descriere1, Tara_Orig, Tara_Exp, Tara_Dest,
       ROUND(SUM(Val_Fiscala), 0) AS Val_Fiscala1,
       ROUND(SUM(Val_Stat), 0) AS Val_Stat1,
       CASE WHEN ROUND(SUM(Net), 0) < 1 THEN 1 ELSE ROUND(SUM(Net), 0) END AS Net1,
       SUM(Cantitate) AS Cantitate1, Cod_UMS,
       CASE WHEN SUM(Val_UMS) > 0 AND ROUND(SUM(Val_UMS), 0) < 1 THEN 1
            ELSE ROUND(SUM(Val_UMS), 0) END AS Val_UMS1,
       Nat_Tranz, Incoterms, Mod_Transp
FROM Intrastat
GROUP BY TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp, Tara_Dest,
         Cod_UMS, Nat_Tranz, Incoterms, Mod_Transp
ORDER BY Cod_NC, MIN(Record_ID);

CREATE VIEW Intrastat_Sursa_Generare_O AS
SELECT TIP, Cod_Fiscal, Anul, Luna, MIN(Pozitia) AS Pozitia, Cod_NC,
       MAX(Descriere_NC) AS Descriere1, Tara_Orig, Tara_Exp, Tara_Dest,
       ROUND(SUM(Val_Fiscala), 0) AS Val_Fiscala1,
       ROUND(SUM(Val_Stat), 0) AS Val_Stat1,
       CASE WHEN ROUND(SUM(Net), 0) < 1 THEN 1 ELSE ROUND(SUM(Net), 0) END AS Net1,
       SUM(Cantitate) AS Cantitate1, Cod_UMS,
       CASE WHEN SUM(Val_UMS) > 0 AND ROUND(SUM(Val_UMS), 0) < 1 THEN 1
            ELSE ROUND(SUM(Val_UMS), 0) END AS Val_UMS1,
       Nat_Tranz, Incoterms, Mod_Transp,
       UPPER(TRIM(VAT_ID)) AS VAT_ID1,
       UPPER(SUBSTR(TRIM(VAT_ID), 1, 2)) AS Country_VAT_ID
FROM Intrastat
GROUP BY TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp, Tara_Dest,
         Cod_UMS, Nat_Tranz, Incoterms, Mod_Transp, UPPER(TRIM(VAT_ID))
ORDER BY Cod_NC, MIN(Record_ID);

-- Import templates: a header per template and a row per destination column.
CREATE TABLE StructuraFisiereAntet (
    Nume_structura    TEXT(50) COLLATE NOCASE PRIMARY KEY,
    TIP               TEXT(20) COLLATE NOCASE NOT NULL,
    Locatie_Implicita TEXT(255) COLLATE NOCASE,
    Work_Sheet_Name   TEXT(100) COLLATE NOCASE,
    SampleExcelFile   TEXT(255) COLLATE NOCASE
);

CREATE TABLE StructuraFisiereContinut (
    Nume_Structura         TEXT(50) COLLATE NOCASE NOT NULL
                           REFERENCES StructuraFisiereAntet (Nume_structura) ON DELETE CASCADE ON UPDATE CASCADE,
    Record_ID              INTEGER PRIMARY KEY AUTOINCREMENT,
    Dest_ColumnDescription TEXT(255) COLLATE NOCASE,
    Exista_Coloana         YESNO DEFAULT 0,
    Numar_Coloana          INTEGER,
    Valoare_Implicita      TEXT(255) COLLATE NOCASE,
    Marime_Maxima          INTEGER,
    Format                 TEXT(10) COLLATE NOCASE,
    Dest_ColumnName        TEXT(64) COLLATE NOCASE NOT NULL,
    Sort_Order             INTEGER,
    UNIQUE (Nume_Structura, Dest_ColumnName)
);
CREATE INDEX StructuraFisiereContinut_Ordine ON StructuraFisiereContinut (Nume_Structura, Sort_Order);

-- Partners, materials and invoice series of the company.
CREATE TABLE Furnizori (
    Cod_Partener     TEXT(20) COLLATE NOCASE PRIMARY KEY,
    Nume_Partener    TEXT(150) COLLATE NOCASE,
    VAT_ID           TEXT(20) COLLATE NOCASE,
    Adresa           TEXT(80) COLLATE NOCASE,
    Oras             TEXT(80) COLLATE NOCASE,
    Regiune          TEXT(50) COLLATE NOCASE,
    Cod_Postal       TEXT(30) COLLATE NOCASE,
    Cod_Tara         TEXT(2) COLLATE NOCASE,
    Tara_Expeditie   TEXT(2) COLLATE NOCASE,
    Telefon          TEXT(30) COLLATE NOCASE,
    Fax              TEXT(30) COLLATE NOCASE,
    Email            TEXT(80) COLLATE NOCASE,
    Persoana_Contact TEXT(50) COLLATE NOCASE,
    Moneda           TEXT(3) COLLATE NOCASE,
    Mod_Transp       TEXT(2) COLLATE NOCASE,
    Nat_Tranz        TEXT(2) COLLATE NOCASE,
    Incoterms        TEXT(3) COLLATE NOCASE
);

CREATE TABLE MA (
    Cod_MA_PF            TEXT(20) COLLATE NOCASE PRIMARY KEY,
    Descriere_RO         TEXT(150) COLLATE NOCASE,
    Descriere_Alta_Limba TEXT(150) COLLATE NOCASE,
    UM                   TEXT(20) COLLATE NOCASE DEFAULT '0',
    Cod_Vamal            TEXT(8) COLLATE NOCASE,
    Greutate_Neta        DOUBLE,
    Pret_Unitar          CURRENCY,
    Tara_Orig            TEXT(2) COLLATE NOCASE,
    PU_Materiale         CURRENCY
);

CREATE TABLE SeriiFacturi (
    Seria             TEXT(10) COLLATE NOCASE PRIMARY KEY,
    Nr_Inceput        INTEGER,
    Nr_Sfarsit        INTEGER,
    Lungime_Caractere SMALLINT,
    Serie_Valida      SMALLINT DEFAULT 1,
    Ultimul_Numar     INTEGER
);

-- Accounting documents, filled by the accounting program sharing this database.
CREATE TABLE Intrari_Antet (
    Document_Intern_Nr   TEXT(20) COLLATE NOCASE PRIMARY KEY,
    Document_Intern_Data DATETIME NOT NULL,
    Cod_Partener         TEXT(20) COLLATE NOCASE,
    Numar_Factura        TEXT(50) COLLATE NOCASE,
    Data_Factura         DATETIME,
    Moneda               TEXT(3) COLLATE NOCASE,
    Curs_Schimb          CURRENCY,
    Incoterms            TEXT(3) COLLATE NOCASE,
    Mod_Transp           TEXT(2) COLLATE NOCASE,
    Nat_Tranz            TEXT(2) COLLATE NOCASE,
    Tara_Exp             TEXT(2) COLLATE NOCASE
);
CREATE INDEX Intrari_Antet_Data ON Intrari_Antet (Document_Intern_Data);

CREATE TABLE Intrari_Linii (
    Record_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    Document_Intern_Nr TEXT(20) COLLATE NOCASE NOT NULL
                       REFERENCES Intrari_Antet (Document_Intern_Nr) ON DELETE CASCADE ON UPDATE CASCADE,
    Cod_MA_PF          TEXT(20) COLLATE NOCASE NOT NULL,
    Cantitate          DOUBLE,
    UM                 TEXT(20) COLLATE NOCASE,
    Valoare_Valuta     CURRENCY
);
CREATE INDEX Intrari_Linii_Document ON Intrari_Linii (Document_Intern_Nr);

CREATE TABLE Factura_Export_Antet (
    Numar_Factura TEXT(50) COLLATE NOCASE PRIMARY KEY,
    Data_Factura  DATETIME,
    Data_Livrarii DATETIME NOT NULL,
    Cod_Partener  TEXT(20) COLLATE NOCASE,
    Moneda        TEXT(3) COLLATE NOCASE,
    Curs_Schimb   CURRENCY,
    Incoterms     TEXT(3) COLLATE NOCASE,
    Mod_Transp    TEXT(2) COLLATE NOCASE,
    Nat_Tranz     TEXT(2) COLLATE NOCASE,
    Tara_Dest     TEXT(2) COLLATE NOCASE
);
CREATE INDEX Factura_Export_Antet_Data ON Factura_Export_Antet (Data_Livrarii);

CREATE TABLE Factura_Export_Linii (
    Record_ID      INTEGER PRIMARY KEY AUTOINCREMENT,
    Numar_Factura  TEXT(50) COLLATE NOCASE NOT NULL
                   REFERENCES Factura_Export_Antet (Numar_Factura) ON DELETE CASCADE ON UPDATE CASCADE,
    Cod_MA_PF      TEXT(20) COLLATE NOCASE NOT NULL,
    Cantitate      DOUBLE,
    UM             TEXT(20) COLLATE NOCASE,
    Valoare_Valuta CURRENCY
);
CREATE INDEX Factura_Export_Linii_Factura ON Factura_Export_Linii (Numar_Factura);

-- Saved procedures. The take-over of a month (Intrastat_I, Intrastat_O) replaces
-- its lines in one run; the accounting program may have written texts wider
-- than the Intrastat columns, so each text is cut to its column's width, and
-- Pozitia keeps the accounting line's whole Record_ID. The documents are read
-- first and their lines through the lines' index, so the run follows the size
-- of the month rather than of the whole accounting history; the lines keep
-- the order in which they were entered.
INSERT INTO _Proceduri (Nume, Corp) VALUES ('Intrastat_Verifica_Existenta',
'SELECT CASE WHEN EXISTS (SELECT 1 FROM Intrastat WHERE TIP = ?1 AND Cod_Fiscal = ?2
         AND Anul = CAST(?3 AS INTEGER) AND Luna = CAST(?4 AS INTEGER))
       THEN -1 ELSE 0 END AS Exista');
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES
    ('Intrastat_Verifica_Existenta', 0, 'RETURN_VALUE', 3, 4),
    ('Intrastat_Verifica_Existenta', 1, 'TIP', 202, 1),
    ('Intrastat_Verifica_Existenta', 2, 'Cod_Fiscal', 202, 1),
    ('Intrastat_Verifica_Existenta', 3, 'Anul', 202, 1),
    ('Intrastat_Verifica_Existenta', 4, 'Luna', 202, 1),
    ('Intrastat_Verifica_Existenta', 5, 'Exista', 11, 2);

INSERT INTO _Proceduri (Nume, Corp) VALUES ('Intrastat_I',
'DELETE FROM Intrastat WHERE TIP = ?1 AND Cod_Fiscal = ?2
   AND Anul = CAST(?3 AS INTEGER) AND Luna = CAST(?4 AS INTEGER);
INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp,
       Tara_Dest, Val_Fiscala, Val_Stat, Net, Nat_Tranz, Incoterms, Mod_Transp,
       Document_Numar_Referinta, Document_Data_Referinta, Descriere, Cantitate, UM,
       Valoare_Valuta, Moneda, Curs_Schimb, VAT_ID, SourceFile, SourceFile_FullPath,
       Data_Preluare, Probleme, Exista_UMS, Pozitia)
SELECT ?1, ?2, CAST(?3 AS INTEGER), CAST(?4 AS INTEGER), substr(m.Cod_Vamal, 1, 20),
       substr(UPPER(m.Tara_Orig), 1, 2), substr(UPPER(IFNULL(a.Tara_Exp, f.Tara_Expeditie)), 1, 2), ''RO'',
       ROUND(l.Valoare_Valuta * a.Curs_Schimb, 0), ROUND(l.Valoare_Valuta * a.Curs_Schimb, 0),
       ROUND(l.Cantitate * m.Greutate_Neta, 0), substr(IFNULL(a.Nat_Tranz, f.Nat_Tranz), 1, 2),
       substr(UPPER(IFNULL(a.Incoterms, f.Incoterms)), 1, 3), substr(IFNULL(a.Mod_Transp, f.Mod_Transp), 1, 2),
       substr(a.Numar_Factura, 1, 50), substr(a.Data_Factura, 1, 50), substr(m.Descriere_RO, 1, 255),
       l.Cantitate, substr(l.UM, 1, 20), l.Valoare_Valuta, substr(a.Moneda, 1, 3), a.Curs_Schimb,
       substr(f.VAT_ID, 1, 20), ''Intrari_Antet'', ''Intrari_Antet'', Date(), 0, 0, l.Record_ID
FROM Intrari_Antet AS a
CROSS JOIN Intrari_Linii AS l ON l.Document_Intern_Nr = a.Document_Intern_Nr
LEFT JOIN MA AS m ON m.Cod_MA_PF = l.Cod_MA_PF
LEFT JOIN Furnizori AS f ON f.Cod_Partener = a.Cod_Partener
WHERE CAST(strftime(''%Y'', a.Document_Intern_Data) AS INTEGER) = CAST(?3 AS INTEGER)
  AND CAST(strftime(''%m'', a.Document_Intern_Data) AS INTEGER) = CAST(?4 AS INTEGER)
ORDER BY l.Record_ID');
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES
    ('Intrastat_I', 0, 'RETURN_VALUE', 3, 4),
    ('Intrastat_I', 1, 'TIP', 202, 1),
    ('Intrastat_I', 2, 'Cod_Fiscal', 202, 1),
    ('Intrastat_I', 3, 'Anul', 202, 1),
    ('Intrastat_I', 4, 'Luna', 202, 1);

INSERT INTO _Proceduri (Nume, Corp) VALUES ('Intrastat_O',
'DELETE FROM Intrastat WHERE TIP = ?1 AND Cod_Fiscal = ?2
   AND Anul = CAST(?3 AS INTEGER) AND Luna = CAST(?4 AS INTEGER);
INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp,
       Tara_Dest, Val_Fiscala, Val_Stat, Net, Nat_Tranz, Incoterms, Mod_Transp,
       Document_Numar_Referinta, Document_Data_Referinta, Descriere, Cantitate, UM,
       Valoare_Valuta, Moneda, Curs_Schimb, VAT_ID, SourceFile, SourceFile_FullPath,
       Data_Preluare, Probleme, Exista_UMS, Pozitia)
SELECT ?1, ?2, CAST(?3 AS INTEGER), CAST(?4 AS INTEGER), substr(m.Cod_Vamal, 1, 20),
       substr(UPPER(IFNULL(m.Tara_Orig, ''RO'')), 1, 2), ''RO'', substr(UPPER(IFNULL(a.Tara_Dest, f.Cod_Tara)), 1, 2),
       ROUND(l.Valoare_Valuta * a.Curs_Schimb, 0), ROUND(l.Valoare_Valuta * a.Curs_Schimb, 0),
       ROUND(l.Cantitate * m.Greutate_Neta, 0), substr(IFNULL(a.Nat_Tranz, f.Nat_Tranz), 1, 2),
       substr(UPPER(IFNULL(a.Incoterms, f.Incoterms)), 1, 3), substr(IFNULL(a.Mod_Transp, f.Mod_Transp), 1, 2),
       substr(a.Numar_Factura, 1, 50), substr(a.Data_Factura, 1, 50), substr(m.Descriere_RO, 1, 255),
       l.Cantitate, substr(l.UM, 1, 20), l.Valoare_Valuta, substr(a.Moneda, 1, 3), a.Curs_Schimb,
       substr(f.VAT_ID, 1, 20), ''Factura_Export_Antet'', ''Factura_Export_Antet'', Date(), 0, 0, l.Record_ID
FROM Factura_Export_Antet AS a
CROSS JOIN Factura_Export_Linii AS l ON l.Numar_Factura = a.Numar_Factura
LEFT JOIN MA AS m ON m.Cod_MA_PF = l.Cod_MA_PF
LEFT JOIN Furnizori AS f ON f.Cod_Partener = a.Cod_Partener
WHERE CAST(strftime(''%Y'', a.Data_Livrarii) AS INTEGER) = CAST(?3 AS INTEGER)
  AND CAST(strftime(''%m'', a.Data_Livrarii) AS INTEGER) = CAST(?4 AS INTEGER)
ORDER BY l.Record_ID');
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES
    ('Intrastat_O', 0, 'RETURN_VALUE', 3, 4),
    ('Intrastat_O', 1, 'TIP', 202, 1),
    ('Intrastat_O', 2, 'Cod_Fiscal', 202, 1),
    ('Intrastat_O', 3, 'Anul', 202, 1),
    ('Intrastat_O', 4, 'Luna', 202, 1);

INSERT INTO _Proceduri (Nume, Corp) VALUES ('Return_Nume_Tabele',
'SELECT name AS TableName FROM sqlite_master
WHERE type = ''table'' AND substr(name, 1, 1) <> ''_'' AND name NOT LIKE ''sqlite%''
UNION SELECT Nume_Tabel FROM _Legaturi
ORDER BY 1');
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES
    ('Return_Nume_Tabele', 0, 'RETURN_VALUE', 3, 4);

INSERT INTO _Proceduri (Nume, Corp) VALUES ('Return_Nume_Field_Tabel',
'SELECT p.name AS FieldName,
       CASE WHEN p.type LIKE ''INTEGER%'' OR p.type LIKE ''SMALLINT%''
              OR p.type LIKE ''SINGLE%'' OR p.type LIKE ''DOUBLE%''
              OR p.type LIKE ''CURRENCY%'' THEN ''N''
            WHEN p.type LIKE ''DATETIME%'' THEN ''D''
            WHEN p.type LIKE ''YESNO%'' THEN ''B'' ELSE ''T'' END AS DataType,
       ?1 AS TableName, p.cid + 1 AS Pozitie, '''' AS Semn, '''' AS DescSemn,
       '''' AS Valoare, 0 AS Afiseaza, p.type AS Tip_Declarat
FROM pragma_table_info(?1) AS p
ORDER BY p.cid');
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES
    ('Return_Nume_Field_Tabel', 0, 'RETURN_VALUE', 3, 4),
    ('Return_Nume_Field_Tabel', 1, 'Nume_Tabel', 202, 1);
