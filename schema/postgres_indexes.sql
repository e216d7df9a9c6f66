-- The indexes that PostgreSQL needs beyond those of schema.sql, run after the data are loaded,
-- then VACUUM ANALYZE. citext's LIKE becomes lower(x::text) LIKE lower(pattern) in the plan
-- (postgres_setup.sql): a B-tree over lower(x::text COLLATE "C") serves a prefix ("Codice LIKE
-- 'C0%'", "Anagrafica LIKE 'ros%'"), a trigram index over the same expression a pattern that
-- starts with a wildcard.
--
-- The picking list orders by the same expression with Nulls first and ties by the registry id
-- (PgDialect): the registry B-trees serve its pages and counts from a start text as well.
CREATE INDEX IX_Anagrafica_Folded ON Anagrafica (lower(Anagrafica::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_Cliente_Folded ON Cliente (lower(Codice::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_Fornitore_Folded ON Fornitore (lower(Codice::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_Agente_Folded ON Agente (lower(Codice::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_Collaboratore_Folded ON Collaboratore (lower(Codice::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_ElementoPDC_ElementoPDC_Folded ON ElementoPDC (lower(ElementoPDC::text COLLATE "C"));
CREATE INDEX IX_ContoPDC_ContoPDC_Folded ON ContoPDC (lower(ContoPDC::text COLLATE "C"));
CREATE INDEX IX_ContoPDC_Codifica_Folded ON ContoPDC (lower(Codifica::text COLLATE "C"));

CREATE INDEX IX_Anagrafica_Anagrafica_Trgm ON Anagrafica USING gin (lower(Anagrafica::text COLLATE "C") gin_trgm_ops);
CREATE INDEX IX_Cliente_Codice_Trgm ON Cliente USING gin (lower(Codice::text COLLATE "C") gin_trgm_ops);
CREATE INDEX IX_Fornitore_Codice_Trgm ON Fornitore USING gin (lower(Codice::text COLLATE "C") gin_trgm_ops);
CREATE INDEX IX_Agente_Codice_Trgm ON Agente USING gin (lower(Codice::text COLLATE "C") gin_trgm_ops);
CREATE INDEX IX_Collaboratore_Codice_Trgm ON Collaboratore USING gin (lower(Codice::text COLLATE "C") gin_trgm_ops);
CREATE INDEX IX_ElementoPDC_ElementoPDC_Trgm ON ElementoPDC USING gin (lower(ElementoPDC::text COLLATE "C") gin_trgm_ops);
CREATE INDEX IX_ContoPDC_ContoPDC_Trgm ON ContoPDC USING gin (lower(ContoPDC::text COLLATE "C") gin_trgm_ops);
CREATE INDEX IX_ContoPDC_Codifica_Trgm ON ContoPDC USING gin (lower(Codifica::text COLLATE "C") gin_trgm_ops);
