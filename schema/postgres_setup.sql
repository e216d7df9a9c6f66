-- Set-up of a PostgreSQL database for the OrvSearch schema, run once per database by a
-- superuser before schema.sql (converted, see pg_load.cpp) and postgres_indexes.sql.
--
-- * citext compares codes and names without regard to case for "=" and LIKE alike, so the
--   statements' text stays as written. The columns are citext COLLATE "C": lower() under "C"
--   folds the ASCII letters only, as SQLite's NOCASE does ('À' and 'à' stay different on both).
-- * citext's LIKE is a C function the planner cannot see into, so no index serves
--   "Anagrafica LIKE 'ros%'" but a trigram one, which is slow for long or common prefixes (tens
--   of milliseconds on a million names). Written as SQL, the same test, lower(a) LIKE lower(b)
--   under the column's collation (which is what the C function does), is inlined into the
--   statement: a B-tree over lower(x::text COLLATE "C") then serves the prefix, and a trigram
--   index over the same expression any other pattern.

CREATE EXTENSION IF NOT EXISTS citext;
CREATE EXTENSION IF NOT EXISTS pg_trgm;

CREATE OR REPLACE FUNCTION texticlike(citext, citext) RETURNS boolean
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
    AS $$ SELECT lower($1::text) LIKE lower($2::text) $$;
CREATE OR REPLACE FUNCTION texticlike(citext, text) RETURNS boolean
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
    AS $$ SELECT lower($1::text) LIKE lower($2) $$;
