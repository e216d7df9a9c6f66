-- The SQL statements that the search control sends, one representative of each statement family
-- with concrete ids, checked against the demo data (schema.sql followed by seed.sql).
--
-- The texts are exactly those the control builds, blanks included (some fragments leave two
-- blanks or none between words); a schema change that makes any of them fail to prepare, turn
-- ambiguous or return other rows breaks the control.
--
-- Format, read by schema/check_statements.sh and by the tests:
-- * an entry is a block of comment lines followed by its statement on ONE line ending in ";";
-- * "-- @name <id>"   unique name of the entry (family.subfamily.case);
-- * "-- @rows <n>"    the statement returns exactly n rows;
-- * "-- @first <v> | <v> ..."   the leading columns of the first row, in order; "NULL" stands for
--   a Null; values that are numbers compare as numbers (51308 equals 51308.0), others as text;
-- * any other comment line is a remark.
-- Only single-row results and aggregates carry @first, since the other results have no order.

-- @name registry.customer.count.code
-- @rows 1
-- @first 1
SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'C001';

-- @name registry.customer.rows.code
-- @rows 1
-- @first 1
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'C001';

-- @name registry.customer.count.code_prefix
-- C010-C019 less C018, whose registry entry is deleted
-- @rows 1
-- @first 9
SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'C01%';

-- @name registry.customer.count.code_prefix_lower_case
-- @rows 1
-- @first 1
SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'c02%';

-- @name registry.customer.rows.code_prefix
-- @rows 1
-- @first 20
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'C02%';

-- @name registry.customer.all
-- @rows 19
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0;

-- @name registry.customer.count.code_other_company_code
-- C050 belongs to company 2
-- @rows 1
-- @first 0
SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'C050';

-- @name registry.customer.count.description
-- Rossi and Rossini
-- @rows 1
-- @first 2
SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Ross%';

-- @name registry.customer.rows.description_apostrophe
-- @rows 1
-- @first 3
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Dell''Orto%';

-- @name registry.customer.count.description_blocked_excluded
-- Rossi, Rossini, Russo, Ricci; Romano (1) and Rizzo (-1) are blocked
-- @rows 1
-- @first 4
SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'R%' AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0);

-- @name registry.customer.count.description_no_block_filter
-- @rows 1
-- @first 6
SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'R%';

-- @name registry.customer.all_blocked_only
-- C007 and C019
-- @rows 2
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0 AND Cliente.BloccoEmissioneDoc <> 0;

-- @name registry.customer.rows.code_blocked_excluded
-- a Null flag is not blocked
-- @rows 1
-- @first 12
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'C012' AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0);

-- @name registry.customer.all_with_filter
-- Rossi and Ricci live in Bologna
-- @rows 2
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica.IDComune = 1;

-- @name registry.supplier.count.code
-- @rows 1
-- @first 1
SELECT count(*) FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica AND Fornitore.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'F001';

-- @name registry.supplier.rows.code
-- entry 5 is also customer C005
-- @rows 1
-- @first 5
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Anagrafica.Indirizzo, Fornitore.Codice, Fornitore.IDPDCContabile, Comune.CAP, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica AND Fornitore.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'F009';

-- @name registry.supplier.count.code_prefix
-- @rows 1
-- @first 9
SELECT count(*) FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica AND Fornitore.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'F00%';

-- @name registry.supplier.rows.description_apostrophe
-- @rows 1
-- @first 36
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Anagrafica.Indirizzo, Fornitore.Codice, Fornitore.IDPDCContabile, Comune.CAP, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica AND Fornitore.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'dell''a%';

-- @name registry.supplier.all
-- @rows 10
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Nome, Anagrafica.Indirizzo, Fornitore.Codice, Fornitore.IDPDCContabile, Comune.CAP, Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica AND Fornitore.IDAzienda = 1 LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione WHERE Anagrafica.VirtualDelete = 0;

-- @name registry.agent.count.code_ambiguous
-- Moretti (type 1) and Sartori (type Null) share A01
-- @rows 1
-- @first 2
SELECT COUNT(Agente.IDAnagrafica) FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND Codice = 'A01' AND Agente.Annullato = 0;

-- @name registry.agent.rows.code
-- @rows 1
-- @first 42
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND Codice = 'A02' AND Agente.Annullato = 0;

-- @name registry.agent.count.code_cancelled
-- Fabbri's contract is cancelled
-- @rows 1
-- @first 0
SELECT COUNT(Agente.IDAnagrafica) FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND Codice = 'A03' AND Agente.Annullato = 0;

-- @name registry.agent.count.code_prefix
-- @rows 1
-- @first 3
SELECT COUNT(Agente.IDAnagrafica) FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND Codice LIKE 'A%' AND Agente.Annullato = 0;

-- @name registry.agent.all
-- @rows 3
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND Agente.Annullato = 0;

-- @name registry.agent.count.description_cancelled_included
-- @rows 1
-- @first 1
SELECT COUNT(Agente.IDAnagrafica) FROM Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente =1) AND Anagrafica LIKE 'Fab%';

-- @name registry.agent.rows.description
-- @rows 1
-- @first 40
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente =1) AND Anagrafica LIKE 'mor%';

-- @name registry.agent.all_by_description
-- with Fabbri: no cancellation condition
-- @rows 4
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente =1);

-- @name registry.clerk.count.code
-- @rows 1
-- @first 1
SELECT COUNT(Agente.IDAnagrafica) FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND Agente.IDTipoAgente = 2 AND Codice = 'I01' AND Agente.Annullato = 0;

-- @name registry.clerk.count.code_of_agent
-- @rows 1
-- @first 0
SELECT COUNT(Agente.IDAnagrafica) FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND Agente.IDTipoAgente = 2 AND Codice = 'A02' AND Agente.Annullato = 0;

-- @name registry.clerk.rows.description
-- @rows 1
-- @first 44
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Agente.IDTipoAgente = 2 AND Anagrafica LIKE 'Pell%';

-- @name registry.clerk.all
-- @rows 2
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND Agente.IDTipoAgente = 2 AND Agente.Annullato = 0;

-- @name registry.agent_or_clerk.count.code
-- Sartori has no agent type and drops out of the join
-- @rows 1
-- @first 1
SELECT COUNT(Agente.IDAnagrafica) FROM (Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica) INNER JOIN TipoAgente ON TipoAgente.IDTipoAgente = Agente.IDTipoAgente WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND Codice = 'A01' AND Agente.Annullato = 0;

-- @name registry.agent_or_clerk.rows.code
-- @rows 1
-- @first 45
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome, TipoAgente.TipoAgente FROM (Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica) INNER JOIN TipoAgente ON TipoAgente.IDTipoAgente = Agente.IDTipoAgente WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND Codice = 'I02' AND Agente.Annullato = 0;

-- @name registry.agent_or_clerk.all
-- @rows 4
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome, TipoAgente.TipoAgente FROM (Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica) INNER JOIN TipoAgente ON TipoAgente.IDTipoAgente = Agente.IDTipoAgente WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND Agente.Annullato = 0;

-- @name registry.agent_or_clerk.count.description
-- @rows 1
-- @first 0
SELECT COUNT(Agente.IDAnagrafica) FROM (Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica) INNER JOIN TipoAgente ON TipoAgente.IDTipoAgente = Agente.IDTipoAgente WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Anagrafica LIKE 'S%';

-- @name registry.agent_or_clerk.rows.description
-- @rows 1
-- @first 45
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome, TipoAgente.TipoAgente FROM (Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica) INNER JOIN TipoAgente ON TipoAgente.IDTipoAgente = Agente.IDTipoAgente WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Anagrafica LIKE 'Car%';

-- @name registry.customer_for_agent.count.code
-- Rossi has agents Moretti and Villa
-- @rows 1
-- @first 2
SELECT count(*) FROM (((Anagrafica LEFT JOIN Cliente ON  Anagrafica.IDAnagrafica = Cliente.IDAnagrafica)  LEFT JOIN ProvvClienteAgente ON Cliente.IDAnagrafica =  ProvvClienteAgente.IDAnagraficaCliente) LEFT JOIN  Agente ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) LEFT JOIN Anagrafica AS  AnagraficaAgente ON Agente.IDAnagrafica =  AnagraficaAgente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Cliente.IDAzienda = 1 AND Agente.IDAzienda = 1 AND Cliente.Codice = 'C001';

-- @name registry.customer_for_agent.rows.code
-- @rows 2
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica , Anagrafica.CodiceFiscale , Anagrafica.PartitaIva , Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile AS IDPDCContabile, Agente.Codice AS  CodiceAgente, Agente.Enasarco, AnagraficaAgente.Anagrafica AS CognomeAgente, AnagraficaAgente.Nome AS NomeAgente FROM (((Anagrafica LEFT JOIN Cliente ON  Anagrafica.IDAnagrafica = Cliente.IDAnagrafica)  LEFT JOIN ProvvClienteAgente ON Cliente.IDAnagrafica =  ProvvClienteAgente.IDAnagraficaCliente) LEFT JOIN  Agente ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) LEFT JOIN Anagrafica AS  AnagraficaAgente ON Agente.IDAnagrafica =  AnagraficaAgente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Cliente.IDAzienda = 1 AND Agente.IDAzienda = 1 AND Cliente.Codice = 'C001';

-- @name registry.customer_for_agent.count.code_prefix
-- @rows 1
-- @first 8
SELECT count(*) FROM (((Anagrafica LEFT JOIN Cliente ON  Anagrafica.IDAnagrafica = Cliente.IDAnagrafica)  LEFT JOIN ProvvClienteAgente ON Cliente.IDAnagrafica =  ProvvClienteAgente.IDAnagraficaCliente) LEFT JOIN  Agente ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) LEFT JOIN Anagrafica AS  AnagraficaAgente ON Agente.IDAnagrafica =  AnagraficaAgente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Cliente.IDAzienda = 1 AND Agente.IDAzienda = 1 AND Cliente.Codice LIKE 'C00%';

-- @name registry.customer_for_agent.count.description
-- @rows 1
-- @first 3
SELECT count(*) FROM (((Anagrafica LEFT JOIN Cliente ON  Anagrafica.IDAnagrafica = Cliente.IDAnagrafica)  LEFT JOIN ProvvClienteAgente ON Cliente.IDAnagrafica =  ProvvClienteAgente.IDAnagraficaCliente) LEFT JOIN  Agente ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) LEFT JOIN Anagrafica AS  AnagraficaAgente ON Agente.IDAnagrafica =  AnagraficaAgente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Cliente.IDAzienda = 1 AND Agente.IDAzienda = 1 AND Anagrafica.Anagrafica  LIKE 'Ross%';

-- @name registry.customer_for_agent.rows.description
-- @rows 1
-- @first 6
SELECT Anagrafica.IDAnagrafica , Anagrafica.Anagrafica ,  Anagrafica.CodiceFiscale, Anagrafica.PartitaIva , Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Agente.Codice AS  CodiceAgente, Agente.Enasarco, AnagraficaAgente.Anagrafica AS CognomeAgente, AnagraficaAgente.Nome AS NomeAgente FROM (((Anagrafica LEFT JOIN Cliente ON  Anagrafica.IDAnagrafica = Cliente.IDAnagrafica)  LEFT JOIN ProvvClienteAgente ON Cliente.IDAnagrafica =  ProvvClienteAgente.IDAnagraficaCliente) LEFT JOIN  Agente ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) LEFT JOIN Anagrafica AS  AnagraficaAgente ON Agente.IDAnagrafica =  AnagraficaAgente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Cliente.IDAzienda = 1 AND Agente.IDAzienda = 1 AND Anagrafica.Anagrafica  LIKE 'Russo%';

-- @name registry.customer_for_agent.all
-- @rows 9
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica , Anagrafica.CodiceFiscale , Anagrafica.PartitaIva , Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile AS IDPDCContabile, Agente.Codice AS  CodiceAgente, Agente.Enasarco, AnagraficaAgente.Anagrafica AS CognomeAgente, AnagraficaAgente.Nome AS NomeAgente FROM (((Anagrafica LEFT JOIN Cliente ON  Anagrafica.IDAnagrafica = Cliente.IDAnagrafica)  LEFT JOIN ProvvClienteAgente ON Cliente.IDAnagrafica =  ProvvClienteAgente.IDAnagraficaCliente) LEFT JOIN  Agente ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) LEFT JOIN Anagrafica AS  AnagraficaAgente ON Agente.IDAnagrafica =  AnagraficaAgente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Cliente.IDAzienda = 1 AND Agente.IDAzienda = 1;

-- @name registry.collaborator.count.code
-- @rows 1
-- @first 1
SELECT count(*) FROM Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Codice = 'CO01';

-- @name registry.collaborator.rows.code
-- @rows 1
-- @first 50
SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, Codice FROM Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Codice = 'CO01';

-- @name registry.collaborator.count.code_prefix
-- @rows 1
-- @first 3
SELECT count(*) FROM Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Codice LIKE 'CO%';

-- @name registry.collaborator.rows.description
-- @rows 1
-- @first 51
SELECT Anagrafica.IDAnagrafica, Anagrafica, Nome, CodiceFiscale, PartitaIva, Codice FROM Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Test%';

-- @name registry.collaborator.all
-- @rows 3
SELECT Anagrafica.IDAnagrafica, Anagrafica, Nome, CodiceFiscale, PartitaIva, Codice FROM Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0;

-- @name registry.agent_for_customer.count.code
-- Moretti: customers 1, 2, 7, 18; Sartori: 5, 10
-- @rows 1
-- @first 6
SELECT count(*) FROM ((ProvvClienteAgente RIGHT JOIN Agente  ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) INNER JOIN Anagrafica ON  Agente.IDAnagrafica = Anagrafica.IDAnagrafica) LEFT JOIN  (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente ON  Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica)  ON ProvvClienteAgente.IDAnagraficaCliente =  Cliente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1 AND Agente.Codice = 'A01';

-- @name registry.agent_for_customer.rows.code_with_filter
-- @rows 1
-- @first A01
SELECT Agente.Codice, Anagrafica.Anagrafica, Anagrafica.Nome, Anagrafica.PartitaIva, Anagrafica.CodiceFiscale, Anagrafica.IDAnagrafica AS IDAnagrafica, AnagraficaCliente.Anagrafica AS CognomeCliente, AnagraficaCliente.Nome AS NomeCliente, Cliente.Codice AS CodiceCliente FROM ((ProvvClienteAgente RIGHT JOIN Agente  ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) INNER JOIN Anagrafica ON  Agente.IDAnagrafica = Anagrafica.IDAnagrafica) LEFT JOIN  (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente ON  Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica)  ON ProvvClienteAgente.IDAnagraficaCliente =  Cliente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1 AND Agente.Codice = 'A01' AND Cliente.IDAnagrafica = 1;

-- @name registry.agent_for_customer.count.code_prefix
-- @rows 1
-- @first 10
SELECT count(*) FROM ((ProvvClienteAgente RIGHT JOIN Agente  ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) INNER JOIN Anagrafica ON  Agente.IDAnagrafica = Anagrafica.IDAnagrafica) LEFT JOIN  (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente ON  Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica)  ON ProvvClienteAgente.IDAnagraficaCliente =  Cliente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1 AND Agente.Codice LIKE 'A0%';

-- @name registry.agent_for_customer.all
-- @rows 10
SELECT Agente.Codice, Anagrafica.Anagrafica, Anagrafica.Nome, Anagrafica.PartitaIva, Anagrafica.CodiceFiscale, Anagrafica.IDAnagrafica AS IDAnagrafica, AnagraficaCliente.Anagrafica AS CognomeCliente, AnagraficaCliente.Nome AS NomeCliente, Cliente.Codice AS CodiceCliente FROM ((ProvvClienteAgente RIGHT JOIN Agente  ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) INNER JOIN Anagrafica ON  Agente.IDAnagrafica = Anagrafica.IDAnagrafica) LEFT JOIN  (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente ON  Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica)  ON ProvvClienteAgente.IDAnagraficaCliente =  Cliente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1;

-- @name registry.agent_for_customer.count.description
-- @rows 1
-- @first 3
SELECT count(*) FROM ((Anagrafica LEFT JOIN Agente ON Anagrafica.IDAnagrafica =  Agente.IDAnagrafica) LEFT JOIN ProvvClienteAgente ON  Agente.IDAnagrafica = ProvvClienteAgente.IDAnagraficaAgente)  LEFT JOIN (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente  ON Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica) ON  ProvvClienteAgente.IDAnagraficaCliente = Cliente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Anagrafica.Anagrafica  LIKE 'Villa%';

-- @name registry.agent_for_customer.rows.description
-- @rows 2
SELECT Agente.Codice, Anagrafica.Anagrafica, Anagrafica.Nome, Anagrafica.PartitaIva, Anagrafica.CodiceFiscale, Anagrafica.IDAnagrafica, AnagraficaCliente.Anagrafica AS CognomeCliente, AnagraficaCliente.Nome AS NomeCliente, Cliente.Codice AS CodiceCliente FROM ((Anagrafica LEFT JOIN Agente ON Anagrafica.IDAnagrafica =  Agente.IDAnagrafica) LEFT JOIN ProvvClienteAgente ON  Agente.IDAnagrafica = ProvvClienteAgente.IDAnagraficaAgente)  LEFT JOIN (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente  ON Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica) ON  ProvvClienteAgente.IDAnagraficaCliente = Cliente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Anagrafica.Anagrafica  LIKE 'Sart%';

-- @name registry.agent_for_customer.all_by_description
-- @rows 10
SELECT Agente.Codice, Anagrafica.Anagrafica, Anagrafica.Nome, Anagrafica.PartitaIva, Anagrafica.CodiceFiscale, Anagrafica.IDAnagrafica, AnagraficaCliente.Anagrafica AS CognomeCliente, AnagraficaCliente.Nome AS NomeCliente, Cliente.Codice AS CodiceCliente FROM ((Anagrafica LEFT JOIN Agente ON Anagrafica.IDAnagrafica =  Agente.IDAnagrafica) LEFT JOIN ProvvClienteAgente ON  Agente.IDAnagrafica = ProvvClienteAgente.IDAnagraficaAgente)  LEFT JOIN (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente  ON Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica) ON  ProvvClienteAgente.IDAnagraficaCliente = Cliente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0;

-- @name registry.any.count.code
-- no code condition; 2 entries deleted
-- @rows 1
-- @first 44
SELECT count(*) FROM Anagrafica WHERE Anagrafica.VirtualDelete = 0;

-- @name registry.any.rows.description
-- @rows 1
-- @first 70
SELECT IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome FROM Anagrafica WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Banca%';

-- @name registry.any.count.description
-- @rows 1
-- @first 1
SELECT count(*) FROM Anagrafica WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Comune di%';

-- @name registry.any.all
-- @rows 44
SELECT IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome FROM Anagrafica WHERE Anagrafica.VirtualDelete = 0;

-- @name recheck.customer
-- @rows 1
-- @first 1
SELECT Anagrafica.IDAnagrafica, Cliente.Codice FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 1 AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0;

-- @name recheck.customer_blocked_excluded
-- @rows 0
SELECT Anagrafica.IDAnagrafica, Cliente.Codice FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 7 AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0);

-- @name recheck.customer_blocked_only
-- @rows 1
-- @first 19
SELECT Anagrafica.IDAnagrafica, Cliente.Codice FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 19 AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Cliente.BloccoEmissioneDoc <> 0;

-- @name recheck.customer_deleted
-- @rows 0
SELECT Anagrafica.IDAnagrafica, Cliente.Codice FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 18 AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0;

-- @name recheck.supplier
-- @rows 1
-- @first 5
SELECT Anagrafica.IDAnagrafica, Fornitore.Codice FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 5 AND Fornitore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0;

-- @name recheck.clerk
-- @rows 1
-- @first 44
SELECT Anagrafica.IDAnagrafica, Agente.Codice FROM Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 44 AND Agente.IDAzienda = 1 AND Agente.IDTipoAgente = 2 AND Anagrafica.VirtualDelete = 0;

-- @name recheck.agent_is_clerk
-- @rows 0
SELECT Anagrafica.IDAnagrafica, Agente.Codice FROM Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 44 AND Agente.IDAzienda = 1 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND Anagrafica.VirtualDelete = 0;

-- @name recheck.collaborator
-- collaborator of company 2
-- @rows 0
SELECT Anagrafica.IDAnagrafica, Collaboratore.Codice FROM Anagrafica INNER JOIN Collaboratore ON Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 64 AND Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0;

-- @name recheck.any
-- @rows 1
-- @first 70
SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica FROM Anagrafica  WHERE Anagrafica.IDAnagrafica = 70 AND Anagrafica.VirtualDelete = 0;

-- @name lookup.chart.segment_top
-- @rows 1
-- @first 1001
SELECT IDElementoPDC, ElementoPDC FROM ElementoPDC WHERE Codifica = '01' AND IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre is Null;

-- @name lookup.chart.segment_child
-- @rows 1
-- @first 1013
SELECT IDElementoPDC, ElementoPDC FROM ElementoPDC WHERE Codifica = '05' AND IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre = 1001;

-- @name lookup.chart.segment_account
-- @rows 1
-- @first 101
SELECT CP.IDContoPDC, CP.ContoPDC FROM ElementoPDC as EPDC, ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDElementoPDC = 1013 AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND CP.Codifica ='001';

-- @name lookup.chart.account_of_type
-- @rows 1
-- @first Rossi Mario
SELECT ContoPDC, Codifica, IDAnagrafica FROM ContoPDC WHERE IDContoPDC =  101 AND IDTipoConto = 6;

-- @name lookup.chart.account_of_wrong_type
-- @rows 0
SELECT ContoPDC, Codifica, IDAnagrafica FROM ContoPDC WHERE IDContoPDC =  8 AND IDTipoConto = 6;

-- @name lookup.chart.branch_of_type
-- @rows 1
-- @first Debiti verso fornitori
SELECT ElementoPDC FROM ElementoPDC WHERE IDElementoPDC =  1022 AND IDTipoConto = 7;

-- @name lookup.chart.account_of_entry_customer
-- @rows 1
-- @first 105
SELECT ContoPDC.IDContoPDC FROM ContoPDC, ContoPerPDC, ElementoPDC WHERE IDAnagrafica = 5 AND ContoPDC.IDContoPDC = ContoPerPDC.IDContoPDC AND ElementoPDC.IDElementoPDC = ContoPerPDC.IDElementoPDC AND ElementoPDC.IDPianoDeiConti = 1 AND ContoPDC.IDTipoConto = 6;

-- @name lookup.chart.account_of_entry_supplier
-- @rows 1
-- @first 209
SELECT ContoPDC.IDContoPDC FROM ContoPDC, ContoPerPDC, ElementoPDC WHERE IDAnagrafica = 5 AND ContoPDC.IDContoPDC = ContoPerPDC.IDContoPDC AND ElementoPDC.IDElementoPDC = ContoPerPDC.IDElementoPDC AND ElementoPDC.IDPianoDeiConti = 1 AND ContoPDC.IDTipoConto = 7;

-- @name lookup.chart.account_of_entry_other_chart
-- @rows 1
-- @first 304
SELECT ContoPDC.IDContoPDC FROM ContoPDC, ContoPerPDC, ElementoPDC WHERE IDAnagrafica = 1 AND ContoPDC.IDContoPDC = ContoPerPDC.IDContoPDC AND ElementoPDC.IDElementoPDC = ContoPerPDC.IDElementoPDC AND ElementoPDC.IDPianoDeiConti = 2 AND ContoPDC.IDTipoConto = 6;

-- @name lookup.chart.accounts_by_description
-- no deletion filter: Cassa assegni is listed
-- @rows 3
SELECT ContoPDC.IDContoPDC, ContoPDC, IDAnagrafica FROM ContoPDC, ContoPerPDC, ElementoPDC WHERE ElementoPDC.IDPianoDeiConti = 1 AND ContoPerPDC.IDElementoPDC = ElementoPDC.IDElementoPDC AND ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC AND ContoPDC LIKE 'Cassa%';

-- @name lookup.chart.account_by_description_case
-- @rows 1
-- @first 103
SELECT ContoPDC.IDContoPDC, ContoPDC, IDAnagrafica FROM ContoPDC, ContoPerPDC, ElementoPDC WHERE ElementoPDC.IDPianoDeiConti = 1 AND ContoPerPDC.IDElementoPDC = ElementoPDC.IDElementoPDC AND ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC AND ContoPDC LIKE 'dell''orto%';

-- @name lookup.chart.branches_by_description
-- @rows 3
SELECT IDElementoPDC, ElementoPDC FROM ElementoPDC WHERE VirtualDelete = 0 AND ElementoPDC LIKE 'Immobilizzazioni%';

-- @name browser.list.accounts_and_branches
-- @rows 3
SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND ContoPDC LIKE 'Cassa%' UNION SELECT IDElementoPDC as IDRamo, 0 as IDConto, ElementoPDC as Descrizione, Codifica as Cod, IDElementoPDCPadre as IDPadre, ElementoPDC.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'NO' as IsConto FROM ( ElementoPDC INNER JOIN TipoConto ON ElementoPDC.IDTipoConto = TipoConto.IDTipoConto) WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND ElementoPDC LIKE 'Cassa%';

-- @name browser.list.branch_content
-- @rows 1
-- @first 1014
SELECT IDElementoPDC as IDRamo, 0 as IDConto, ElementoPDC as Descrizione, Codifica as Cod, IDElementoPDCPadre as IDPadre, ElementoPDC.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'NO' as IsConto FROM ( ElementoPDC INNER JOIN TipoConto ON ElementoPDC.IDTipoConto = TipoConto.IDTipoConto) WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND IDElementoPDC = 1014 AND ElementoPDC LIKE '%';

-- @name browser.list.account_content
-- @rows 1
-- @first 0
SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC = 101 AND CP.IDContoPDC > 0 AND ContoPDC LIKE '%';

-- @name browser.list.one_id_for_account_and_branch
-- one id in both halves: branch 1013 alone, since no account has a branch's id
-- @rows 1
-- @first 1013 | 0
SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC = 1013 AND CP.IDContoPDC > 0 AND ContoPDC LIKE '%' UNION SELECT IDElementoPDC as IDRamo, 0 as IDConto, ElementoPDC as Descrizione, Codifica as Cod, IDElementoPDCPadre as IDPadre, ElementoPDC.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'NO' as IsConto FROM ( ElementoPDC INNER JOIN TipoConto ON ElementoPDC.IDTipoConto = TipoConto.IDTipoConto) WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND IDElementoPDC = 1013 AND ElementoPDC LIKE '%';

-- @name browser.list.customer_mode
-- 21 type-6 accounts, Effetti attivi held by the type-6 branch, and the branch itself
-- @rows 23
SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND ContoPDC LIKE '%' AND CP.IDTipoConto = 6 UNION SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND ContoPDC LIKE '%' AND CPP.IDElementoPDC IN (SELECT IDElementoPDC FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND IDTipoConto = 6 ) UNION SELECT IDElementoPDC as IDRamo, 0 as IDConto, ElementoPDC as Descrizione, Codifica as Cod, IDElementoPDCPadre as IDPadre, ElementoPDC.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'NO' as IsConto FROM ( ElementoPDC INNER JOIN TipoConto ON ElementoPDC.IDTipoConto = TipoConto.IDTipoConto) WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND ElementoPDC LIKE '%' AND ElementoPDC.IDTipoConto = 6;

-- @name browser.list.no_match
-- @rows 0
SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 0 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND ContoPDC LIKE 'Impossibile trovare un solo conto%';

-- @name browser.tree.top_level
-- @rows 5
-- @first 1001
SELECT IDElementoPDC, ElementoPDC, ElementoTerminale, CategoriaConto, Codifica, TipoConto FROM ElementoPDC, TipoConto WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND IDElementoPDCPadre is Null  AND ElementoPDC.IDTipoConto = TipoConto.IDTipoConto ORDER BY ElementoPDC.CategoriaConto, ElementoPDC.Codifica;

-- @name browser.tree.level
-- @rows 5
SELECT IDElementoPDC, ElementoPDC, ElementoTerminale, CategoriaConto, Codifica, TipoConto FROM ElementoPDC, TipoConto WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND IDElementoPDCPadre = 1001 AND ElementoPDC.IDTipoConto = TipoConto.IDTipoConto;

-- @name browser.tree.accounts_of_branch
-- @rows 22
SELECT CP.IDContoPDC, CP.ContoPDC, CP.IDAnagrafica, CP.CategoriaConto, CP.CondizioneContabile, CP.IDTipoConto, CP.Codifica, TP.TipoConto FROM ContoPDC as CP, ContoPerPDC as CPP, TipoConto as TP WHERE CPP.IDElementoPDC = 1013 AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDTipoConto = TP.IDTipoConto;

-- @name browser.tree.rows_of_required_type
-- 10 suppliers, Fornitori diversi, branch 02.10
-- @rows 12
SELECT CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre FROM ElementoPDC as EPDC, ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND CP.IDTipoConto = 7 UNION SELECT IDElementoPDC as IDConto, ElementoPDC as Descrizione, Codifica as Cod, IDElementoPDCPadre as IDPadre FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND IDTipoConto = 7;

-- @name browser.tree.segment
-- @rows 1
-- @first 1025
SELECT IDElementoPDC, ElementoPDC, ElementoTerminale FROM ElementoPDC WHERE Codifica = '02' AND IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre = 1023;

-- @name browser.tree.segment_account
-- @rows 1
-- @first 103
SELECT ContoPDC.IDContoPDC, ContoPDC.ContoPDC FROM ContoPDC, ContoPerPDC, ElementoPDC WHERE ElementoPDC.IDPianoDeiConti = 1 AND ElementoPDC.IDElementoPDC = 1013 AND ContoPerPDC.IDElementoPDC = 1013 AND ContoPDC.Codifica = '003' AND ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC AND ContoPDC.IDContoPDC > 0 AND ElementoPDC.IDElementoPDC > 0 ;

-- @name browser.click.account
-- @rows 1
-- @first Rossi Mario
SELECT ContoPDC as Descr, Codifica FROM ContoPDC WHERE IDContoPDC = 101;

-- @name browser.click.root
-- @rows 0
SELECT ElementoPDC as Descr, Codifica FROM ElementoPDC WHERE IDElementoPDC = 0;

-- @name browser.search.first_segment_any_level
-- @rows 7
SELECT IDElementoPDC FROM ElementoPDC WHERE Codifica = '01' AND IDElementoPDC > 0 AND IDPianoDeiConti = 1;

-- @name browser.search.segment_child
-- @rows 1
-- @first 1011
SELECT IDElementoPDC FROM ElementoPDC WHERE Codifica = '01' AND IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre = 1010;

-- @name browser.search.ancestor_code
-- @rows 1
-- @first 05
SELECT Codifica FROM ElementoPDC WHERE IDElementoPDC = 1013 AND IDPianoDeiConti = 1;

-- @name browser.search.branch_code
-- @rows 1
-- @first 01
SELECT Codifica, IDElementoPDCPadre FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND IDElementoPDC = 1011;

-- @name browser.search.account_description
-- @rows 1
-- @first Cassa contanti
SELECT ContoPDC.ContoPDC FROM ContoPDC WHERE ContoPDC.IDContoPDC = 8;

-- @name browser.search.branch_description
-- @rows 1
-- @first Disponibilità liquide
SELECT ElementoPDC.ElementoPDC FROM ElementoPDC WHERE ElementoPDC.IDElementoPDC = 1014;

-- @name browser.ok.terminal_test
-- ElementoTerminale Null
-- @rows 1
-- @first 1023
SELECT ElementoPDC.IDElementoPDC, ElementoPDC.ElementoPDC, ElementoPDC.ElementoTerminale FROM ElementoPDC WHERE ElementoPDC.IDElementoPDC = 1023;

-- @name browser.ok.branch_type
-- @rows 1
-- @first Crediti verso clienti
SELECT ElementoPDC, TipoConto FROM TipoConto, ElementoPDC WHERE IDElementoPDC = 1013 AND ElementoPDC.IDTipoConto = TipoConto.IDTipoConto AND TipoConto.IDTipoConto = 6;

-- @name browser.ok.branch_type_mismatch
-- @rows 0
SELECT ElementoPDC, TipoConto FROM TipoConto, ElementoPDC WHERE IDElementoPDC = 1014 AND ElementoPDC.IDTipoConto = TipoConto.IDTipoConto AND TipoConto.IDTipoConto = 6;

-- @name browser.ok.branch_of_account
-- @rows 1
-- @first 1013
SELECT ElementoPDC.IDElementoPDC, ElementoPDC, Codifica FROM ElementoPDC, ContoPerPDC WHERE IDContoPDC = 101 AND ElementoPDC.IDElementoPDC = ContoPerPDC.IDElementoPDC AND IDPianoDeiConti = 1;

-- @name browser.tree.branches_of_required_type
-- accounts hidden: the branches of the customer type alone
-- @rows 1
-- @first 1013
SELECT IDElementoPDC as IDConto, ElementoPDC as Descrizione, Codifica as Cod, IDElementoPDCPadre as IDPadre FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND IDTipoConto = 6;

-- @name browser.tree.segment_top
-- the first part of a row's code: a branch at the top level
-- @rows 1
-- @first 1001
SELECT IDElementoPDC, ElementoPDC, ElementoTerminale FROM ElementoPDC WHERE Codifica = '01' AND IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre is Null;

-- @name browser.search.top_segment
-- the first part of a code walked in the tree must be a top-level branch
-- @rows 1
-- @first 1002
SELECT IDElementoPDC FROM ElementoPDC WHERE Codifica = '02' AND IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND (IDElementoPDCPadre Is Null Or IDElementoPDCPadre = 0);

-- @name browser.search.segment_account
-- @rows 1
-- @first 101
SELECT CP.IDContoPDC FROM ElementoPDC as EPDC, ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDElementoPDC = 1013 AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND CP.Codifica ='001';

-- @name browser.list.supplier_accounts
-- supplier mode, accounts only: 10 suppliers and Fornitori diversi, all held by branch 02.10
-- @rows 11
SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND ContoPDC LIKE '%' AND CP.IDTipoConto = 7 UNION SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND ContoPDC LIKE '%' AND CPP.IDElementoPDC IN (SELECT IDElementoPDC FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND IDTipoConto = 7 );

-- @name browser.list.branches_of_type
-- the branches of the liabilities type
-- @rows 6
SELECT IDElementoPDC as IDRamo, 0 as IDConto, ElementoPDC as Descrizione, Codifica as Cod, IDElementoPDCPadre as IDPadre, ElementoPDC.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'NO' as IsConto FROM ( ElementoPDC INNER JOIN TipoConto ON ElementoPDC.IDTipoConto = TipoConto.IDTipoConto) WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND ElementoPDC LIKE '%' AND ElementoPDC.IDTipoConto = 2;

-- @name browser.list.apostrophe
-- @rows 1
-- @first 0 | 5
SELECT 0 as IDRamo, CP.IDContoPDC as IDConto, CP.ContoPDC as Descrizione, CP.Codifica as Cod, CPP.IDElementoPDC as IDPadre, CPP.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'SI' as IsConto FROM ( ElementoPDC as EPDC INNER JOIN TipoConto ON EPDC.IDTipoConto = TipoConto.IDTipoConto), ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 AND ContoPDC LIKE 'Mobili e arredi d''%' UNION SELECT IDElementoPDC as IDRamo, 0 as IDConto, ElementoPDC as Descrizione, Codifica as Cod, IDElementoPDCPadre as IDPadre, ElementoPDC.CodificaCompleta as CodCompleta, TipoConto.TipoConto as TipodiConto, 'NO' as IsConto FROM ( ElementoPDC INNER JOIN TipoConto ON ElementoPDC.IDTipoConto = TipoConto.IDTipoConto) WHERE IDPianoDeiConti = 1 AND IDElementoPDC > 0 AND ElementoPDC LIKE 'Mobili e arredi d''%';

-- @name browser.ok.type_name
-- the name quoted when a branch lacks the required type
-- @rows 1
-- @first Clienti
SELECT TipoConto FROM TipoConto WHERE IDTipoConto = 6;

-- @name codes.separator
-- @rows 1
-- @first -
SELECT SeparatoreCodifica FROM PianoDeiConti WHERE IDPianoDeiConti = 2;

-- @name codes.branch
-- @rows 1
-- @first 01
SELECT Codifica, IDElementoPDCPadre FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND IDElementoPDC = 1024;

-- @name codes.account
-- @rows 1
-- @first 1013
SELECT Epdc.IDElementoPDC,Cp.Codifica FROM ElementoPDC AS Epdc, ContoPerPDC AS Cpp,ContoPDC AS Cp WHERE Epdc.IDPianoDeiConti = 1 AND Epdc.IDElementoPDC = Cpp.IDElementoPDC AND Cpp.IDContoPDC = Cp.IDContoPDC AND Cp.IDContoPDC = 101 AND (Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2) AND (Cpp.VirtualDelete = 0 or Cpp.VirtualDelete = 2) AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2);

-- @name codes.account_root_branch
-- 01-7
-- @rows 1
-- @first 1100
SELECT Epdc.IDElementoPDC,Cp.Codifica FROM ElementoPDC AS Epdc, ContoPerPDC AS Cpp,ContoPDC AS Cp WHERE Epdc.IDPianoDeiConti = 2 AND Epdc.IDElementoPDC = Cpp.IDElementoPDC AND Cpp.IDContoPDC = Cp.IDContoPDC AND Cp.IDContoPDC = 301 AND (Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2) AND (Cpp.VirtualDelete = 0 or Cpp.VirtualDelete = 2) AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2);

-- @name codes.account_archived
-- @rows 1
-- @first 1014
SELECT Epdc.IDElementoPDC,Cp.Codifica FROM ElementoPDC AS Epdc, ContoPerPDC AS Cpp,ContoPDC AS Cp WHERE Epdc.IDPianoDeiConti = 1 AND Epdc.IDElementoPDC = Cpp.IDElementoPDC AND Cpp.IDContoPDC = Cp.IDContoPDC AND Cp.IDContoPDC = 13 AND (Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2) AND (Cpp.VirtualDelete = 0 or Cpp.VirtualDelete = 2) AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2);

-- @name codes.account_deleted
-- @rows 0
SELECT Epdc.IDElementoPDC,Cp.Codifica FROM ElementoPDC AS Epdc, ContoPerPDC AS Cpp,ContoPDC AS Cp WHERE Epdc.IDPianoDeiConti = 1 AND Epdc.IDElementoPDC = Cpp.IDElementoPDC AND Cpp.IDContoPDC = Cp.IDContoPDC AND Cp.IDContoPDC = 14 AND (Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2) AND (Cpp.VirtualDelete = 0 or Cpp.VirtualDelete = 2) AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2);

-- @name codes.account_in_deleted_branch
-- @rows 0
SELECT Epdc.IDElementoPDC,Cp.Codifica FROM ElementoPDC AS Epdc, ContoPerPDC AS Cpp,ContoPDC AS Cp WHERE Epdc.IDPianoDeiConti = 1 AND Epdc.IDElementoPDC = Cpp.IDElementoPDC AND Cpp.IDContoPDC = Cp.IDContoPDC AND Cp.IDContoPDC = 47 AND (Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2) AND (Cpp.VirtualDelete = 0 or Cpp.VirtualDelete = 2) AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2);

-- @name codes.account_archived_branch_and_link
-- @rows 1
-- @first 1042
SELECT Epdc.IDElementoPDC,Cp.Codifica FROM ElementoPDC AS Epdc, ContoPerPDC AS Cpp,ContoPDC AS Cp WHERE Epdc.IDPianoDeiConti = 1 AND Epdc.IDElementoPDC = Cpp.IDElementoPDC AND Cpp.IDContoPDC = Cp.IDContoPDC AND Cp.IDContoPDC = 55 AND (Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2) AND (Cpp.VirtualDelete = 0 or Cpp.VirtualDelete = 2) AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2);

-- @name codes.fiscal_year
-- @rows 1
-- @first 2026
SELECT PianoDeiConti.IDEsercizio FROM PianoDeiConti WHERE PianoDeiConti.IDPianoDeiConti = 1;

-- @name totals.account.year
-- @rows 1
-- @first 27447 | 27251.5
SELECT Dare, Avere FROM  ProgressivoContoEsercizio WHERE IDContoPDC = 101 AND IDEsercizio = 2026;

-- @name totals.account.year_2025
-- @rows 1
-- @first 24500
SELECT Dare, Avere FROM  ProgressivoContoEsercizio WHERE IDContoPDC = 101 AND IDEsercizio = 2025;

-- @name totals.account.month
-- @rows 1
-- @first 1637
SELECT Dare, Avere FROM  ProgressivoContoMese WHERE IDContoPDC = 101 AND Mese = 3 AND Anno = 2026;

-- @name totals.account.period
-- @rows 1
-- @first 5728.5 | 6444
SELECT Dare, Avere FROM  ProgressivoContoPeriodo WHERE IDContoPDC = 101 AND IDPeriodoContabilizzazione = 5;

-- @name totals.account.no_row
-- @rows 0
SELECT Dare, Avere FROM  ProgressivoContoMese WHERE IDContoPDC = 104 AND Mese = 3 AND Anno = 2026;

-- @name totals.group.branch
-- @rows 1
-- @first 1013
SELECT IDElementoPDC, ElementoTerminale FROM ElementoPDC WHERE IDElementoPDC = 1013 AND ( VirtualDelete = 0 OR VirtualDelete = 2 );

-- @name totals.group.branch_deleted
-- @rows 0
SELECT IDElementoPDC, ElementoTerminale FROM ElementoPDC WHERE IDElementoPDC = 1034 AND ( VirtualDelete = 0 OR VirtualDelete = 2 );

-- @name totals.group.accounts
-- @rows 7
SELECT IDContoPDC FROM ContoPerPDC  WHERE (VirtualDelete = 0 OR VirtualDelete = 2) AND IDElementoPDC = 1014;

-- @name totals.group.children
-- 03.90 is deleted
-- @rows 4
SELECT IDElementoPDC FROM ElementoPDC  WHERE ( VirtualDelete = 0 or VirtualDelete = 2 ) AND IDElementoPDCPadre = 1003;

-- @name totals.chart.year
-- archived account 13, deleted account 14 and chart 2 are left out
-- @rows 1
-- @first 588241.75 | 608551.25
SELECT SUM(PROG.Dare), SUM(PROG.Avere) FROM ElementoPDC as ELE, ContoPDC as CP, ContoPerPDC as CPP, ProgressivoContoEsercizio as PROG WHERE PROG.IDEsercizio =  2026 AND ELE.IDPianoDeiConti = 1 AND ELE.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC = PROG.IDContoPDC AND ELE.VirtualDelete = 0 AND CPP.VirtualDelete = 0 AND CP.VirtualDelete = 0;

-- @name totals.chart.month
-- @rows 1
-- @first 51308 | 52978.25
SELECT SUM(PROG.Dare), SUM(PROG.Avere) FROM ElementoPDC as ELE, ContoPDC as CP, ContoPerPDC as CPP, ProgressivoContoMese as PROG WHERE PROG.Anno =  2026 AND PROG.Mese =  1 AND ELE.IDPianoDeiConti = 1 AND ELE.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC = PROG.IDContoPDC AND ELE.VirtualDelete = 0 AND CPP.VirtualDelete = 0 AND CP.VirtualDelete = 0;

-- @name totals.chart.period
-- @rows 1
-- @first 145435 | 151443.25
SELECT SUM(PROG.Dare), SUM(PROG.Avere) FROM ElementoPDC as ELE, ContoPDC as CP, ContoPerPDC as CPP, ProgressivoContoPeriodo as PROG WHERE PROG.IDPeriodo =  5 AND ELE.IDPianoDeiConti = 1 AND ELE.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC = PROG.IDContoPDC AND ELE.VirtualDelete = 0 AND CPP.VirtualDelete = 0 AND CP.VirtualDelete = 0;

-- @name totals.chart.year_category
-- @rows 1
-- @first 0 | 159008.25
SELECT SUM(PROG.Dare), SUM(PROG.Avere) FROM ElementoPDC as ELE, ContoPDC as CP, ContoPerPDC as CPP, ProgressivoContoEsercizio as PROG WHERE PROG.IDEsercizio =  2026 AND ELE.IDPianoDeiConti = 1 AND ELE.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC = PROG.IDContoPDC AND ELE.VirtualDelete = 0 AND CPP.VirtualDelete = 0 AND CP.VirtualDelete = 0 AND CP.CategoriaConto =  4;

-- @name totals.chart.no_rows
-- no totals for 2025 periods: the sums are Null
-- @rows 1
-- @first NULL | NULL
SELECT SUM(PROG.Dare), SUM(PROG.Avere) FROM ElementoPDC as ELE, ContoPDC as CP, ContoPerPDC as CPP, ProgressivoContoPeriodo as PROG WHERE PROG.IDPeriodo =  1 AND ELE.IDPianoDeiConti = 1 AND ELE.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC = PROG.IDContoPDC AND ELE.VirtualDelete = 0 AND CPP.VirtualDelete = 0 AND CP.VirtualDelete = 0;

-- @name load.account
-- @rows 1
-- @first Rossi Mario
SELECT ContoPDC,IDAnagrafica, ContoPerPDC.IDElementoPDC as IDRamo, ElementoPDC FROM ElementoPDC, ContoPerPDC, ContoPDC WHERE IDPianoDeiConti = 1 AND ContoPerPDC.IDElementoPDC = ElementoPDC.IDElementoPDC AND ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC AND ContoPDC.IDContoPDC = 101;

-- @name load.branch
-- @rows 1
-- @first Crediti verso clienti
SELECT ElementoPDC, IDElementoPDC FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND IDElementoPDC = 1013;

-- @name load.cf.branch
-- @rows 1
-- @first Debiti verso fornitori
SELECT ElementoPDC FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND IDElementoPDC = 1022;

-- @name load.cf.account
-- @rows 1
-- @first Ferrari Impianti S.n.c.
SELECT ContoPDC, IDAnagrafica FROM ContoPDC WHERE IDContoPDC =  209;

-- @name load.agent
-- @rows 1
-- @first 40
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Agente.IDAnagrafica = 40 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1);

-- @name load.clerk_as_agent
-- @rows 1
-- @first 45
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Agente.IDAnagrafica = 45 AND Agente.IDTipoAgente = 2;

-- @name load.by_code.customer
-- @rows 1
-- @first 3
SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, Codice, IDPDCContabile FROM Anagrafica, Cliente WHERE Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Codice = 'C003';

-- @name load.by_code.customer_blocked
-- @rows 0
SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, Codice, IDPDCContabile FROM Anagrafica, Cliente WHERE Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Codice = 'C007' AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0);

-- @name load.by_code.supplier
-- @rows 1
-- @first 5
SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, Codice, IDPDCContabile FROM Anagrafica, Fornitore WHERE Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica AND Fornitore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Codice = 'F009';

-- @name load.by_code.collaborator
-- @rows 1
-- @first 64
SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, Codice FROM Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND Collaboratore.IDAzienda = 2 AND Anagrafica.VirtualDelete = 0 AND Codice = 'CO01';

-- @name load.by_code.agent
-- @rows 2
SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Agente, Anagrafica WHERE Anagrafica.IDAnagrafica = Agente.IDAnagrafica AND Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Codice = 'A01';

-- @name load.by_id.any
-- @rows 1
-- @first 71
SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome FROM Anagrafica WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica.IDAnagrafica = 71;

-- @name load.by_id.customer_with_filter
-- @rows 1
-- @first 12
SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, Codice, IDPDCContabile FROM Anagrafica, Cliente WHERE Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Anagrafica.IDAnagrafica = 12 AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0) AND Anagrafica.IDComune = 13;

-- @name load.node.account
-- @rows 1
-- @first Prestazioni grafiche
SELECT ContoPDC,Codifica,IDAnagrafica FROM ContoPDC WHERE IDContoPDC = 301;

-- @name load.node.branch
-- @rows 1
-- @first RICAVI
SELECT ElementoPDC,Codifica FROM ElementoPDC WHERE IDElementoPDC = 1100;

-- @name host.account_or_branch_of_kind
-- @rows 1
-- @first 1013
SELECT ElementoPDC.IDElementoPDC FROM ContoPDC, ContoPerPDC, ElementoPDC WHERE IDPianoDeiConti = 1 AND ContoPerPDC.IDElementoPDC = ElementoPDC.IDElementoPDC AND ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC AND ContoPDC LIKE 'Ross%' AND ContoPDC.IDTipoConto = 6 UNION SELECT IDElementoPDC FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND ElementoPDC LIKE 'Ross%' AND IDTipoConto = 6;

-- @name host.automatic_account.company
-- @rows 2
SELECT IDContoCassa FROM ContoAutomatico WHERE IDAzienda = 1;

-- @name host.automatic_account.office
-- @rows 1
-- @first 12
SELECT IDContoCassa FROM ContoAutomatico WHERE IDAzienda = 1 AND IDFiliale = 2;

-- @name host.automatic_account.unset_role
-- @rows 1
-- @first NULL
SELECT IDContoErarioIva FROM ContoAutomatico WHERE IDAzienda = 1 AND IDFiliale = 2;

-- @name host.automatic_account.no_row
-- @rows 0
SELECT IDContoCassa FROM ContoAutomatico WHERE IDAzienda = 3;

-- @name host.all_accounts
-- @rows 84
SELECT CP.IDContoPDC, ContoPDC, CP.IDTipoConto, CP.Codifica FROM ElementoPDC as EPDC, ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti =  1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.VirtualDelete = 0 AND CPP.VirtualDelete = 0 AND EPDC.VirtualDelete = 0;

-- @name launch.manager.registry
-- @rows 1
-- @first 28
SELECT Gestore.IDGestore, Gestore, Entita, Funzione, Funzione.IDTipoOggetto FROM Gestore, TipoOggetto, Funzione WHERE Funzione.IDFunzione = 29 AND Funzione.IDTipoOggetto = TipoOggetto.IDTipoOggetto AND TipoOggetto.IDGestore = Gestore.IDGestore;

-- @name launch.manager.chart
-- @rows 1
-- @first 5
SELECT Gestore.IDGestore, Gestore, Entita, Funzione, Funzione.IDTipoOggetto FROM Gestore, TipoOggetto, Funzione WHERE Funzione.IDFunzione = 5 AND Funzione.IDTipoOggetto = TipoOggetto.IDTipoOggetto AND TipoOggetto.IDGestore = Gestore.IDGestore;

-- @name launch.manager.missing
-- @rows 0
SELECT Gestore.IDGestore, Gestore, Entita, Funzione, Funzione.IDTipoOggetto FROM Gestore, TipoOggetto, Funzione WHERE Funzione.IDFunzione = 40 AND Funzione.IDTipoOggetto = TipoOggetto.IDTipoOggetto AND TipoOggetto.IDGestore = Gestore.IDGestore;

-- @name launch.right.granted_in_office
-- the data layer's right check
-- @rows 1
-- @first 1
SELECT count(*) FROM DirittoUtente WHERE IDUtente = 2 AND IDTipoOggetto = 6 AND IDDiritto = 33 AND (IDFiliale = 1 OR IDFiliale = 0);

-- @name launch.right.other_office
-- @rows 1
-- @first 0
SELECT count(*) FROM DirittoUtente WHERE IDUtente = 2 AND IDTipoOggetto = 6 AND IDDiritto = 33 AND (IDFiliale = 2 OR IDFiliale = 0);

-- @name launch.right.every_office
-- @rows 1
-- @first 1
SELECT count(*) FROM DirittoUtente WHERE IDUtente = 1 AND IDTipoOggetto = 5 AND IDDiritto = 33 AND (IDFiliale = 2 OR IDFiliale = 0);
