-- The test tables, in the SQL both test databases read: the recordset tests
-- run the same cases against an SQLite file made from this and against the
-- PostgreSQL server that scripts/pg-test-server.sh loads it into.

CREATE TABLE people (
    id INTEGER PRIMARY KEY,
    name VARCHAR(40),
    city TEXT,
    code CHAR(6),
    qty INTEGER,
    price REAL,
    born DATE,
    active BOOLEAN,
    note TEXT
);

INSERT INTO people VALUES (1, 'Ann Smith', 'Amsterdam', 'AMS001', 12, 2.5, '1980-01-15', TRUE, 'first');
INSERT INTO people VALUES (2, 'O''Brien', 'Antwerp', 'ANT002', 120, 10.25, '1975-06-30', FALSE, NULL);
INSERT INTO people VALUES (3, 'Zoë Zeller', 'Zürich', 'ZRH003', 7, 99.5, '1990-12-01', TRUE, 'umlaut');
INSERT INTO people VALUES (4, 'Łukasz Nowak', 'Łódź', 'LDZ004', 1200, 0.5, '1985-03-03', TRUE, NULL);
INSERT INTO people VALUES (5, 'Müller', 'München', 'MUC005', 12, 7.75, '1970-07-07', FALSE, 'second twelve');
INSERT INTO people VALUES (6, '50% off', 'Paris', 'PAR006', 0, 1.0, '2000-02-29', TRUE, 'percent');
INSERT INTO people VALUES (7, 'a*b', 'Rome', 'ROM007', -5, 3.0, '1999-12-31', FALSE, 'star');
INSERT INTO people VALUES (8, 'x_y', 'Oslo', 'OSL008', 33, 4.5, '1960-01-01', TRUE, NULL);
INSERT INTO people VALUES (9, NULL, 'Nowhere', 'NUL009', NULL, NULL, NULL, NULL, 'null name');
INSERT INTO people VALUES (10, 'zürich fan', 'Bern', 'BRN010', 120, 5.0, '2010-10-10', TRUE, 'lower');
INSERT INTO people VALUES (11, 'ann smith', 'Amsterdam', 'AMS011', 5, 6.0, '1980-01-15', FALSE, 'lower twin');
INSERT INTO people VALUES (12, 'ÅSA Öberg', 'Göteborg', 'GOT012', 12, 8.0, '1995-05-05', TRUE, 'nordic');

CREATE TABLE empty_people (
    id INTEGER PRIMARY KEY,
    name VARCHAR(40)
);

CREATE TABLE typed (
    t_smallint SMALLINT,
    t_integer INTEGER,
    t_bigint BIGINT,
    t_real REAL,
    t_double DOUBLE PRECISION,
    t_numeric NUMERIC(10, 2),
    t_boolean BOOLEAN,
    t_char CHAR(10),
    t_varchar VARCHAR(25),
    t_text TEXT,
    t_date DATE,
    t_timestamp TIMESTAMP
);

INSERT INTO typed VALUES (-7, 123456, 9007199254740993, 1.5, 2.25, 12.5, TRUE, 'abc',
    'Zürich', 'long text', '2024-03-05', '2024-03-05 10:20:30');
INSERT INTO typed VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
