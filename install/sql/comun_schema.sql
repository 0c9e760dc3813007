-- Common database Comun.mdb: the company register, the code lists, the reports
-- and the operators of the query builder.

CREATE TABLE Firme (
    Cod_Fiscal                  TEXT(30) COLLATE NOCASE PRIMARY KEY,
    Nume_Firma                  TEXT(150) COLLATE NOCASE,
    Adresa_Firma                TEXT(80) COLLATE NOCASE,
    Judet_Firma                 TEXT(50) COLLATE NOCASE,
    Oras_Firma                  TEXT(80) COLLATE NOCASE,
    CodPostal_Firma             TEXT(30) COLLATE NOCASE,
    Tara_Firma                  TEXT(50) COLLATE NOCASE,
    Tel_Firma                   TEXT(30) COLLATE NOCASE,
    Fax_Firma                   TEXT(30) COLLATE NOCASE,
    Persoana_Contact            TEXT(50) COLLATE NOCASE,
    Reg_No_Firma                TEXT(50) COLLATE NOCASE,
    Bank_Firma                  TEXT(50) COLLATE NOCASE,
    Accont_No_Firma             TEXT(50) COLLATE NOCASE,
    Email_Firma                 TEXT(80) COLLATE NOCASE,
    Observatii                  TEXT(50) COLLATE NOCASE,
    DataBaseFile                TEXT(54) COLLATE NOCASE NOT NULL,
    MultiFirma                  SMALLINT DEFAULT 0,
    Firma_Cod_SIRUTA            TEXT(10) COLLATE NOCASE,
    Firma_Forma_Juridica        TEXT(50) COLLATE NOCASE,
    Firma_Forma_Juridica_Cod    TEXT(10) COLLATE NOCASE,
    Firma_Forma_Propr           TEXT(50) COLLATE NOCASE,
    Firma_Forma_Propr_Cod       TEXT(10) COLLATE NOCASE,
    Firma_Activitate_Principala TEXT(150) COLLATE NOCASE,
    Firma_Cod_CAEN              TEXT(10) COLLATE NOCASE,
    Persoana_Intrastat          TEXT(100) COLLATE NOCASE,
    Nume_1                      TEXT(100) COLLATE NOCASE,
    Functie_1                   TEXT(100) COLLATE NOCASE,
    Nume_2                      TEXT(100) COLLATE NOCASE,
    Functie_2                   TEXT(100) COLLATE NOCASE,
    CreataLaData                TEXT(10) COLLATE NOCASE,
    ValoareStatistica           YESNO DEFAULT 0
);

CREATE TABLE Erori (
    Sursa     TEXT(50) COLLATE NOCASE NOT NULL,
    Nr_Eroare SMALLINT NOT NULL,
    Descriere TEXT(255) COLLATE NOCASE NOT NULL,
    PRIMARY KEY (Sursa, Nr_Eroare)
);

CREATE TABLE InsCodeVersions (
    Anul                    INTEGER NOT NULL,
    Luna                    INTEGER NOT NULL,
    Anul_End                INTEGER,
    Luna_End                INTEGER,
    CN_File                 TEXT(64) COLLATE NOCASE NOT NULL,
    CountryVer              TEXT(20) COLLATE NOCASE,
    EuCountryVer            TEXT(20) COLLATE NOCASE,
    CnVer                   TEXT(20) COLLATE NOCASE,
    ModeOfTransportVer      TEXT(20) COLLATE NOCASE,
    DeliveryTermsVer        TEXT(20) COLLATE NOCASE,
    NatureOfTransactionAVer TEXT(20) COLLATE NOCASE,
    NatureOfTransactionBVer TEXT(20) COLLATE NOCASE,
    CountyVer               TEXT(20) COLLATE NOCASE,
    LocalityVer             TEXT(20) COLLATE NOCASE,
    UnitVer                 TEXT(20) COLLATE NOCASE,
    PRIMARY KEY (Anul, Luna)
);

-- Code lists.
CREATE TABLE Tari (
    Tara_COD  TEXT(2) COLLATE NOCASE PRIMARY KEY,
    Tara_DESC TEXT(100) COLLATE NOCASE
);

CREATE TABLE Tari_UE (
    COD_TARA      TEXT(2) COLLATE NOCASE PRIMARY KEY,
    Tara_DESC     TEXT(100) COLLATE NOCASE,
    DATA_ADERARII DATETIME
);

CREATE TABLE Monezi (
    Moneda_COD  TEXT(3) COLLATE NOCASE PRIMARY KEY,
    Moneda_DESC TEXT(100) COLLATE NOCASE
);

CREATE TABLE Incoterms (
    Incoterms_COD  TEXT(3) COLLATE NOCASE PRIMARY KEY,
    Incoterms_DESC TEXT(150) COLLATE NOCASE
);

CREATE TABLE MOD_TRANS (
    COD_MOD_TRANS  TEXT(2) COLLATE NOCASE PRIMARY KEY,
    DESC_MOD_TRANS TEXT(100) COLLATE NOCASE
);

CREATE TABLE Tranzactii (
    TR1_COD TEXT(1) COLLATE NOCASE NOT NULL,
    TR2_COD TEXT(1) COLLATE NOCASE NOT NULL,
    TR_DESC TEXT(255) COLLATE NOCASE,
    PRIMARY KEY (TR1_COD, TR2_COD)
);

CREATE TABLE UM (
    UM_COD  TEXT(20) COLLATE NOCASE PRIMARY KEY,
    UM_DESC TEXT(100) COLLATE NOCASE
);

CREATE TABLE Judete (
    Jud_Code   TEXT(10) COLLATE NOCASE PRIMARY KEY,
    Jud_NameRo TEXT(50) COLLATE NOCASE
);

CREATE TABLE Orase (
    City_Code    TEXT(10) COLLATE NOCASE PRIMARY KEY,
    City_NameRo  TEXT(100) COLLATE NOCASE,
    City_RefCode TEXT(10) COLLATE NOCASE NOT NULL
);
CREATE INDEX Orase_City_RefCode ON Orase (City_RefCode);

CREATE VIEW UE_Tari AS
SELECT COD_TARA, Tara_DESC, DATA_ADERARII FROM Tari_UE;

CREATE VIEW Tranzactii_Unit AS
SELECT TR1_COD || TR2_COD AS COD, TR_DESC FROM Tranzactii;

-- Explanatory notes of the tariff, by chapter and by heading.
CREATE TABLE HS_Note_2 (
    HS_Code          TEXT(2) COLLATE NOCASE PRIMARY KEY,
    Note_Description MEMO TEXT COLLATE NOCASE
);

CREATE TABLE HS_Note_4 (
    HS_Code          TEXT(4) COLLATE NOCASE PRIMARY KEY,
    Note_Description MEMO TEXT COLLATE NOCASE
);

-- Reports.
CREATE TABLE Reports (
    REP_ID   INTEGER PRIMARY KEY,
    REP_NAME TEXT(100) COLLATE NOCASE,
    REP_DESC TEXT(255) COLLATE NOCASE
);

CREATE TABLE REPORTS_SEL (
    REP_ID          INTEGER PRIMARY KEY REFERENCES Reports (REP_ID),
    REP_DESCRIPTION TEXT(255) COLLATE NOCASE
);

CREATE TABLE Return_Report (
    REP_ID             INTEGER PRIMARY KEY,
    XML_DEF            SMALLINT NOT NULL DEFAULT 1,
    XML_FILE           TEXT(255) COLLATE NOCASE,
    REP_NAME           TEXT(100) COLLATE NOCASE NOT NULL,
    ComunDataBase      YESNO DEFAULT 0,
    SQL_STR            MEMO TEXT COLLATE NOCASE NOT NULL,
    Exista_SUB_Reports YESNO DEFAULT 0,
    PageSize           SMALLINT DEFAULT 9,
    PageOrientation    SMALLINT DEFAULT 1,
    ReportCaption      TEXT(100) COLLATE NOCASE
);

CREATE TABLE Return_Report_SUB (
    REP_ID      INTEGER NOT NULL REFERENCES Return_Report (REP_ID) ON DELETE CASCADE ON UPDATE CASCADE,
    SUB_ORDER   SMALLINT NOT NULL,
    REP_NAME    TEXT(100) COLLATE NOCASE NOT NULL,
    SUB_LOCATIE TEXT(50) COLLATE NOCASE NOT NULL,
    SUB_NAME    TEXT(50) COLLATE NOCASE NOT NULL,
    Link_TEXT   TEXT(255) COLLATE NOCASE,
    PRIMARY KEY (REP_ID, SUB_ORDER)
);

-- Query builder: comparison operators and saved query texts.
CREATE TABLE Semne_Cautare_Selectie (
    Semn       TEXT(100) COLLATE NOCASE NOT NULL,
    SeAplicaLa TEXT(1) COLLATE NOCASE NOT NULL,
    DescSemn   TEXT(50) COLLATE NOCASE NOT NULL,
    Nr_Semn    INTEGER PRIMARY KEY
);

CREATE TABLE Scripts (
    Script_Name TEXT(50) COLLATE NOCASE NOT NULL,
    Script_SQL  MEMO TEXT COLLATE NOCASE,
    Script_ID   INTEGER PRIMARY KEY AUTOINCREMENT
);

-- Lists kept with the general grid editor.
CREATE TABLE Tip_Operatiune (
    Cod_OP          TEXT(10) COLLATE NOCASE PRIMARY KEY,
    Descriere       TEXT(100) COLLATE NOCASE,
    Intrastat       YESNO DEFAULT 0,
    Raport_UE       YESNO DEFAULT 0,
    Non_Transferuri YESNO DEFAULT 0
);

CREATE TABLE Rate_Schimb (
    Moneda            TEXT(3) COLLATE NOCASE NOT NULL,
    Data_Valabilitate DATETIME NOT NULL,
    Curs              CURRENCY,
    PRIMARY KEY (Moneda, Data_Valabilitate)
);

CREATE TABLE Package (
    Cod_Ambalaj  TEXT(20) COLLATE NOCASE PRIMARY KEY,
    Descriere_RO TEXT(100) COLLATE NOCASE,
    Descriere_EN TEXT(100) COLLATE NOCASE,
    Greutate     DOUBLE,
    Lungime      DOUBLE,
    Latime       DOUBLE,
    Inaltime     DOUBLE
);

CREATE TABLE Jurnale_TVA (
    Cod_Jurnal               TEXT(10) COLLATE NOCASE PRIMARY KEY,
    Descriere                TEXT(100) COLLATE NOCASE,
    Vanzari                  YESNO DEFAULT 0,
    Cumparari                YESNO DEFAULT 0,
    Coloana_Jurnal_Vanzari   SMALLINT,
    Coloana_Jurnal_Cumparari SMALLINT
);

-- Saved procedure: the description of a data error of a source.
INSERT INTO _Proceduri (Nume, Corp) VALUES ('Return_Error',
'SELECT Descriere FROM Erori WHERE Sursa = ?1 AND Nr_Eroare = ?2');
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES ('Return_Error', 0, 'RETURN_VALUE', 3, 4);
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES ('Return_Error', 1, 'Sursa', 202, 1);
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES ('Return_Error', 2, 'Nr_Eroare', 2, 1);
INSERT INTO _Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES ('Return_Error', 3, 'Descriere', 202, 3);
