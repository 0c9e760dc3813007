-- The update package: the counties it ships replace those installed.
DELETE FROM Judete
