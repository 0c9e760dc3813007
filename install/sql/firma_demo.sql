-- The demonstration company's template "Exemplu Livrari" for the sample
-- workbook the build writes into the program folder's Exemple/ folder: the
-- rows a new LIVRARE template gets (every described column of Intrastat but
-- Tara_Exp), 14 of them taken from the sample's columns: the value in lei is
-- both the fiscal and the statistical value, so that the sample verifies
-- without problems. Its paths are kept relative, so they name the Exemple/
-- folder of whichever program folder the program runs from.
INSERT INTO StructuraFisiereAntet (Nume_structura, TIP, Locatie_Implicita, Work_Sheet_Name, SampleExcelFile)
VALUES ('Exemplu Livrari', 'LIVRARE', 'Exemple/', 'Sheet1',
        'Exemple/Exemplu_Livrari.xlsx');

INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnDescription, Exista_Coloana, Numar_Coloana,
                                      Valoare_Implicita, Marime_Maxima, Format, Dest_ColumnName, Sort_Order)
VALUES
    ('Exemplu Livrari', 'Cod NC (cod vamal 8 cifre)', -1, 1, NULL, 20, 'TEXT', 'Cod_NC', 6),
    ('Exemplu Livrari', 'Descriere cod NC', 0, NULL, NULL, 255, 'TEXT', 'Descriere_NC', 7),
    ('Exemplu Livrari', 'Tara Origine', -1, 4, NULL, 2, 'TEXT', 'Tara_Orig', 8),
    ('Exemplu Livrari', 'Tara Destinatie', -1, 3, NULL, 2, 'TEXT', 'Tara_Dest', 10),
    ('Exemplu Livrari', 'Valoare Fiscala (lei)', -1, 5, NULL, NULL, 'NUMERIC', 'Val_Fiscala', 11),
    ('Exemplu Livrari', 'Valoare Statistica (lei)', -1, 5, NULL, NULL, 'NUMERIC', 'Val_Stat', 12),
    ('Exemplu Livrari', 'Masa Neta [Kg]', -1, 6, '0', NULL, 'NUMERIC', 'Net', 13),
    ('Exemplu Livrari', 'UM Suplimentara', 0, NULL, NULL, 20, 'TEXT', 'Cod_UMS', 14),
    ('Exemplu Livrari', 'Cantitate in UM Suplimentara', 0, NULL, NULL, NULL, 'NUMERIC', 'Val_UMS', 15),
    ('Exemplu Livrari', 'Natura Tranzactiei', -1, 8, '11', 2, 'TEXT', 'Nat_Tranz', 16),
    ('Exemplu Livrari', 'Conditii Livrare', -1, 9, NULL, 3, 'TEXT', 'Incoterms', 17),
    ('Exemplu Livrari', 'Mod Transport', -1, 10, NULL, 2, 'TEXT', 'Mod_Transp', 18),
    ('Exemplu Livrari', 'Document Numar', -1, 12, NULL, 50, 'TEXT', 'Document_Numar_Referinta', 19),
    ('Exemplu Livrari', 'Document Data', -1, 13, NULL, 50, 'TEXT', 'Document_Data_Referinta', 20),
    ('Exemplu Livrari', 'Descriere bunuri', -1, 2, NULL, 255, 'TEXT', 'Descriere', 21),
    ('Exemplu Livrari', 'Cantitate', -1, 7, NULL, NULL, 'NUMERIC', 'Cantitate', 22),
    ('Exemplu Livrari', 'UM', 0, NULL, NULL, 20, 'TEXT', 'UM', 23),
    ('Exemplu Livrari', 'Valoare Valuta', 0, NULL, NULL, NULL, 'NUMERIC', 'Valoare_Valuta', 24),
    ('Exemplu Livrari', 'Moneda', 0, NULL, NULL, 3, 'TEXT', 'Moneda', 25),
    ('Exemplu Livrari', 'Curs Schimb', 0, NULL, NULL, NULL, 'NUMERIC', 'Curs_Schimb', 26),
    ('Exemplu Livrari', 'Cod TVA Partener', -1, 11, NULL, 20, 'TEXT', 'VAT_ID', 27);
