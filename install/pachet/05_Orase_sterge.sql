-- The update package: the localities it ships replace those installed.
DELETE FROM Orase
