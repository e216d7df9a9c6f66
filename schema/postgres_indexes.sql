-- The indexes that PostgreSQL needs beyond those of schema.sql: prefix patterns ("Codice LIKE
-- 'C0%'", "Anagrafica LIKE 'ros%'") on the citext columns the field searches, through the
-- trigram operator class of postgres_setup.sql. Run after the data are loaded, then VACUUM ANALYZE.

CREATE INDEX IX_Anagrafica_Anagrafica_Trgm ON Anagrafica USING gin (Anagrafica citext_trgm_ops);
CREATE INDEX IX_Cliente_Codice_Trgm ON Cliente USING gin (Codice citext_trgm_ops);
CREATE INDEX IX_Fornitore_Codice_Trgm ON Fornitore USING gin (Codice citext_trgm_ops);
CREATE INDEX IX_Agente_Codice_Trgm ON Agente USING gin (Codice citext_trgm_ops);
CREATE INDEX IX_Collaboratore_Codice_Trgm ON Collaboratore USING gin (Codice citext_trgm_ops);
CREATE INDEX IX_ElementoPDC_ElementoPDC_Trgm ON ElementoPDC USING gin (ElementoPDC citext_trgm_ops);
CREATE INDEX IX_ContoPDC_ContoPDC_Trgm ON ContoPDC USING gin (ContoPDC citext_trgm_ops);
CREATE INDEX IX_ContoPDC_Codifica_Trgm ON ContoPDC USING gin (Codifica citext_trgm_ops);

-- The picking list orders by lower(x::text COLLATE "C") with Nulls first and ties by the registry
-- id (PgDialect); these serve its pages and counts from a start text without sorting the list.
CREATE INDEX IX_Anagrafica_Folded ON Anagrafica (lower(Anagrafica::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_Cliente_Folded ON Cliente (lower(Codice::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_Fornitore_Folded ON Fornitore (lower(Codice::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_Agente_Folded ON Agente (lower(Codice::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
CREATE INDEX IX_Collaboratore_Folded ON Collaboratore (lower(Codice::text COLLATE "C") NULLS FIRST, IDAnagrafica NULLS FIRST);
