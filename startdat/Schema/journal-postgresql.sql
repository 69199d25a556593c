-- The document journal of a data folder: one row per stored document in protadr, one row per
-- product line in protpr. PostgreSQL, through psqlODBC ("PostgreSQL Unicode").

CREATE TABLE protadr (
    ID SERIAL PRIMARY KEY,
    DOCTYPE INTEGER NOT NULL DEFAULT 0,
    DOCNR INTEGER NOT NULL,
    DOCDATUM INTEGER DEFAULT 0,
    DOCZEIT INTEGER DEFAULT 0,
    NAME1 VARCHAR(255),
    NAME2 VARCHAR(255),
    NAME3 VARCHAR(255),
    STRASSE VARCHAR(255),
    PLZ VARCHAR(20),
    ORT VARCHAR(100),
    LAND INTEGER DEFAULT 0,
    KONFIGNR INTEGER DEFAULT 0,
    UID VARCHAR(30),
    KUNDENNR INTEGER DEFAULT 0,
    RABATT NUMERIC(12,4) DEFAULT 0,
    SKONTO NUMERIC(12,2) DEFAULT 0,
    BEZAHLTU INTEGER DEFAULT 0,
    ZAHLUNGZ INTEGER DEFAULT 0,
    EBETRAG NUMERIC(15,2) DEFAULT 0,
    SEBETRAG NUMERIC(15,2) DEFAULT 0,
    BEZAM INTEGER DEFAULT 0,
    AMERKUNG VARCHAR(255),
    VERSAND INTEGER DEFAULT 0,
    REFERENZ VARCHAR(255),
    BEARBEITER VARCHAR(100),
    EMAIL VARCHAR(255),
    HANDY VARCHAR(50),
    FAX VARCHAR(50),
    TELEFON VARCHAR(25),
    GUELTIG INTEGER DEFAULT 0,
    TITEL VARCHAR(20),
    VORNAME VARCHAR(40),
    ZUNAME VARCHAR(40),
    PERSANREDE VARCHAR(100),
    SELDATUM INTEGER DEFAULT 0,
    VAR1 VARCHAR(30),
    VAR2 VARCHAR(30),
    VAR3 VARCHAR(30),
    VAR4 VARCHAR(30),
    VAR5 VARCHAR(30),
    NUM1 INTEGER DEFAULT 0,
    NUM2 INTEGER DEFAULT 0,
    ZEICHEN1 VARCHAR(30),
    AUSGABE INTEGER DEFAULT 0,
    STORNO INTEGER DEFAULT 0,
    MAHNUNG INTEGER DEFAULT 0,
    MAHNDAT INTEGER DEFAULT 0,
    KOPIEVER INTEGER DEFAULT 0,
    ADR_TIMESTAMP VARCHAR(20)
);

-- Document numbers are unique: of two workstations that draw the same number at the same
-- moment, the second insert is refused and draws again.
CREATE UNIQUE INDEX protadr_docnr ON protadr (DOCNR);

CREATE TABLE protpr (
    ID SERIAL PRIMARY KEY,
    ADRID INTEGER NOT NULL,
    KURZBEZ VARCHAR(100),
    BEZEICH VARCHAR(4000),
    MENGE NUMERIC(15,4) DEFAULT 0,
    PREIS NUMERIC(15,4) DEFAULT 0,
    MWST NUMERIC(12,4) DEFAULT 0,
    PR_TIMESTAMP VARCHAR(20),
    MEINHEIT VARCHAR(20),
    STAFFEL VARCHAR(40)
);

CREATE INDEX protpr_adrid ON protpr (ADRID);

-- The sample tables of a new data folder: customers and products that standard.cfg maps, so a
-- first invoice can take a customer (by customer number, the ID) and products at once.
-- Tiers are written with blanks between the entries; reading them turns the blanks into ';'.

CREATE TABLE Kunden (
    ID SERIAL PRIMARY KEY,
    ANREDE VARCHAR(20),
    TITEL VARCHAR(20),
    VORNAME VARCHAR(40),
    ZUNAME VARCHAR(40),
    FIRMA VARCHAR(100),
    ZUSATZ VARCHAR(100),
    STRASSE VARCHAR(100),
    PLZ VARCHAR(10),
    ORT VARCHAR(60),
    LAND INTEGER DEFAULT 0,
    UID VARCHAR(30),
    TELEFON VARCHAR(30),
    FAX VARCHAR(30),
    HANDY VARCHAR(30),
    EMAIL VARCHAR(100),
    INFO VARCHAR(255),
    SUCHBEGRIFF VARCHAR(100)
);

CREATE TABLE Artikel (
    ID SERIAL PRIMARY KEY,
    ARTNR INTEGER,
    BEZEICHNUNG VARCHAR(255),
    EINHEIT VARCHAR(20),
    MWST NUMERIC(5,2),
    PREIS NUMERIC(12,2),
    STAFFEL VARCHAR(40)
);
INSERT INTO Kunden (ID, ANREDE, TITEL, VORNAME, ZUNAME, FIRMA, ZUSATZ, STRASSE, PLZ, ORT, LAND, UID, TELEFON, FAX, HANDY, EMAIL, INFO, SUCHBEGRIFF) VALUES
    (1, 'Herr', 'Ing.', 'Johann', 'Müller', 'Müller Bau GmbH', '', 'Hauptstraße 12', '4020', 'Linz', 43, 'ATU12345678', '+43 732 771234', '+43 732 771235', '+43 664 1234567', 'office@mueller-bau.at', 'Stammkunde seit 2015', 'Müller Bau Linz'),
    (2, 'Frau', '', 'Elif', 'Öztürk', 'Bäckerei Öztürk KG', '', 'Wiedner Hauptstraße 48', '1040', 'Wien', 43, 'ATU23456789', '+43 1 5054321', '', '+43 676 2345678', 'bestellung@oeztuerk.at', 'Lieferung Mo und Do', 'Öztürk Bäckerei Wien'),
    (3, 'Herr', 'Mag.', 'Patrick', 'O''Connor', 'O''Connor & Partner Steuerberatung OG', '', 'Herrengasse 7', '8010', 'Graz', 43, 'ATU34567890', '+43 316 824411', '+43 316 824412', '', 'kanzlei@oconnor-partner.at', '', 'O''Connor Steuerberatung Graz'),
    (4, 'Frau', 'Dr.', 'Maria', 'Gruber', '', '', 'Alter Platz 3', '9020', 'Klagenfurt am Wörthersee', 43, '', '+43 463 512345', '', '+43 650 3456789', 'maria.gruber@example.at', 'Privatkundin', 'Gruber Maria Klagenfurt'),
    (5, 'Herr', '', 'Franz', 'Huber', 'Gasthof Zur Linde', 'Familie Huber', 'Dorfplatz 1', '6370', 'Kitzbühel', 43, 'ATU45678901', '+43 5356 62345', '', '', 'info@gasthof-linde.at', '', 'Linde Gasthof Kitzbühel'),
    (6, 'Herr', 'Dr.', 'Klaus', 'Schäfer', 'Schäfer & Söhne GmbH', 'Maschinenbau', 'Königsallee 27', '40212', 'Düsseldorf', 49, 'DE123456789', '+49 211 8765430', '+49 211 8765439', '+49 171 4567890', 'einkauf@schaefer-soehne.de', 'Zahlung 30 Tage netto', 'Schäfer Söhne Düsseldorf'),
    (7, 'Frau', '', 'Jana', 'Weiß', 'Weiß Elektrotechnik e.K.', '', 'Friedrichstraße 101', '10117', 'Berlin', 49, 'DE234567890', '+49 30 2345678', '', '', 'info@weiss-elektro.de', '', 'Weiß Elektrotechnik Berlin'),
    (8, 'Herr', '', 'Jürgen', 'Groß', '', '', 'Maximilianstraße 8', '80539', 'München', 49, '', '+49 89 2233445', '', '+49 160 5678901', 'j.gross@example.de', 'Privatkunde', 'Groß Jürgen München'),
    (9, 'Herr', '', 'Lukas', 'Hofmann', 'Hofmann IT-Service', '', 'Schloßstraße 44', '01067', 'Dresden', 49, 'DE345678901', '+49 351 4455667', '', '+49 152 6789012', 'service@hofmann-it.de', '', 'Hofmann IT Dresden'),
    (10, 'Frau', 'Dr.', 'Regula', 'Zürcher', 'Zürcher Treuhand AG', '', 'Bahnhofstrasse 17', '8001', 'Zürich', 41, 'CHE-123.456.789 MWST', '+41 44 2112233', '+41 44 2112234', '', 'treuhand@zuercher-ag.ch', '', 'Zürcher Treuhand Zürich'),
    (11, 'Herr', '', 'Luc', 'Dubois', 'Boulangerie Dubois Sàrl', '', 'Rue du Marché 4', '1204', 'Genève', 41, 'CHE-234.567.890 TVA', '+41 22 3104455', '', '+41 79 7890123', 'contact@boulangerie-dubois.ch', 'Korrespondenz auf Deutsch', 'Dubois Boulangerie Genève'),
    (12, 'Frau', '', 'Anna', 'Bärtschi', '', '', 'Marktgasse 9', '3011', 'Bern', 41, '', '+41 31 3116677', '', '+41 78 8901234', 'anna.baertschi@example.ch', 'Privatkundin', 'Bärtschi Anna Bern');

INSERT INTO Artikel (ID, ARTNR, BEZEICHNUNG, EINHEIT, MWST, PREIS, STAFFEL) VALUES
    (1, 1001, 'Beratung und Planung', 'Std.', 20, 95.00, '10=90.00 20=85.00'),
    (2, 1002, 'Montage vor Ort', 'Std.', 20, 78.00, ''),
    (3, 1003, 'Anfahrtspauschale', 'Psch.', 20, 45.00, ''),
    (4, 1004, 'Kopierpapier A4, 500 Blatt', 'Pkg.', 20, 5.90, '10=5.50 50=4.90'),
    (5, 1005, 'Fachbuch "Buchhaltung kompakt"', 'Stk.', 10, 29.90, ''),
    (6, 1006, 'Bio-Kaffee, ganze Bohne', 'kg', 10, 18.50, '5=17.50'),
    (7, 1007, 'Zimmerpflanze Ficus', 'Stk.', 13, 24.00, ''),
    (8, 1008, 'Software-Lizenz, Jahresabo', 'Stk.', 20, 240.00, ''),
    (9, 1009, 'USB-Stick 64 GB', 'Stk.', 20, 12.90, '10=11.90 100=9.90'),
    (10, 1010, 'Versandkosten Inland', 'Psch.', 20, 6.50, ''),
    (11, 1011, 'Schulung, ganzer Tag', 'Tag', 20, 690.00, ''),
    (12, 1012, 'Wartungsvertrag monatlich', 'Mon.', 20, 49.00, ''),
    (13, 1013, 'Entsorgungsbeitrag', '', NULL, 3.50, ''),
    (14, 1014, 'Porto', 'Psch.', 0, 2.10, '');

-- New rows continue after the sample ids.
ALTER SEQUENCE kunden_id_seq RESTART WITH 13;
ALTER SEQUENCE artikel_id_seq RESTART WITH 15;
