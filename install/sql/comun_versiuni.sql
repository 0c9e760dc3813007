-- The code-list versions of the shipped tariff years: 2025 closed at December,
-- 2026 open-ended; each names its year's tariff file. The delivery terms follow
-- the Incoterms 2020 rules, the nature of transaction the 2022 codes.
INSERT INTO InsCodeVersions (Anul, Luna, Anul_End, Luna_End, CN_File, CountryVer, EuCountryVer, CnVer,
                             ModeOfTransportVer, DeliveryTermsVer, NatureOfTransactionAVer,
                             NatureOfTransactionBVer, CountyVer, LocalityVer, UnitVer)
VALUES (2025, 1, 2025, 12, 'CN2025.mdb', '2025', '2025', '2025', '2025', '2020', '2022', '2022',
        '2025', '2025', '2025'),
       (2026, 1, NULL, NULL, 'CN2026.mdb', '2026', '2026', '2026', '2026', '2020', '2022', '2022',
        '2026', '2026', '2026');
