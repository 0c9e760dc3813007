-- Settings database System/Registry/reg.mdb: one row per key, one row per value.

CREATE TABLE RegTable (
    WIN_HKEY_Name INTEGER NOT NULL,
    HKEY_Name     TEXT(255) COLLATE NOCASE NOT NULL,
    UNIQUE (WIN_HKEY_Name, HKEY_Name)
);

CREATE TABLE RegTable_Value (
    WIN_HKEY_Name INTEGER NOT NULL,
    HKEY_Name     TEXT(255) COLLATE NOCASE NOT NULL,
    String        TEXT(255) COLLATE NOCASE NOT NULL DEFAULT '',
    Value         MEMO TEXT COLLATE NOCASE,
    ValueType     TEXT(1) COLLATE NOCASE NOT NULL,
    UNIQUE (WIN_HKEY_Name, HKEY_Name, String)
);

CREATE VIEW RegTableToate AS
SELECT WIN_HKEY_Name, HKEY_Name, String, Value, ValueType FROM RegTable_Value;

-- No RegTable rows: the first start writes its defaults only where no key exists.
INSERT INTO RegTable_Value (WIN_HKEY_Name, HKEY_Name, String, Value, ValueType)
VALUES (-2147483646, 'SOFTWARE\VELMORANT\Quorvel', 'Drepturi', '0', 'T');
