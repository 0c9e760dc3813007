-- The update package: the code versions of the years it ships replace those installed.
DELETE FROM InsCodeVersions WHERE Anul IN (2025, 2026)
