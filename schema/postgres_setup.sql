-- Set-up of a PostgreSQL database for the OrvSearch schema, run once per database by a
-- superuser before schema.sql (converted, see pg_load.cpp) and postgres_indexes.sql.
--
-- * citext compares codes and names without regard to case for "=" and LIKE alike, so the
--   statements' text stays as written. The columns are citext COLLATE "C": lower() under "C"
--   folds the ASCII letters only, as SQLite's NOCASE does ('À' and 'à' stay different on both).
-- * A B-tree over citext serves "=" but not "LIKE 'abc%'" (a case-insensitive pattern has no
--   fixed prefix). A trigram GIN index does, short prefixes such as 'C%' included; pg_trgm
--   ships its operator class for text only, so citext gets its own here (trigrams are folded
--   to lower case, so the index finds a superset and the citext operator checks each row).

CREATE EXTENSION IF NOT EXISTS citext;
CREATE EXTENSION IF NOT EXISTS pg_trgm;

DO $$
BEGIN
    IF NOT EXISTS (SELECT 1 FROM pg_opclass WHERE opcname = 'citext_trgm_ops') THEN
        CREATE OPERATOR CLASS citext_trgm_ops FOR TYPE citext USING gin AS
            OPERATOR 3 ~~ (citext, citext),
            OPERATOR 4 ~~* (citext, citext),
            FUNCTION 1 btint4cmp (int4, int4),
            FUNCTION 2 gin_extract_value_trgm (text, internal),
            FUNCTION 3 gin_extract_query_trgm (text, internal, int2, internal, internal, internal, internal),
            FUNCTION 4 gin_trgm_consistent (internal, int2, text, int4, internal, internal, internal, internal),
            FUNCTION 6 gin_trgm_triconsistent (internal, int2, text, int4, internal, internal, internal),
            STORAGE int4;
    END IF;
END
$$;
