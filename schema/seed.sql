-- Demo data for OrvSearch: a small hardware wholesaler in Emilia (company 1) and a graphic studio
-- in Milan (company 2), on the schema of schema.sql.
--
-- Load with:  sqlite3 demo.sqlite < schema/schema.sql && sqlite3 demo.sqlite < schema/seed.sql
--
-- What the rows are there to show (the tests rely on them):
-- * the same code in two companies (C001, F001, A01, CO01) and the same code twice in one company
--   (agents A01 Moretti and A01 Sartori in company 1), so company filtering and ambiguous codes
--   can be seen;
-- * names that share a prefix (Rossi / Rossini, Dell'Orto / Dell'Acqua) and names with an
--   apostrophe;
-- * every value of the customer block flag: 0, 1, -1 and Null;
-- * logical deletion: VirtualDelete 1 (deleted) and 2 (archived) on registry entries, branches,
--   accounts and account links;
-- * a chart of accounts four levels deep with separator "." (chart 1), a small chart with
--   separator "-" (chart 2, company 2) and an empty chart (chart 3);
-- * branch and account ids that never meet, as when both come from one sequence: branches from
--   1001 (chart 1 up to 1042, chart 2 1100-1105), accounts below 1000. The field loads a branch
--   by first asking for an account with the branch's id;
-- * running totals per month of 2026, and per year and per quarter derived from them, so that the
--   three kinds of totals agree with each other.
-- Amounts are multiples of 0.25, which binary floating point holds exactly, so sums are exact.

BEGIN;

------------------------------------------------------------------------------------------------
-- Companies, offices, users, fiscal years, periods
------------------------------------------------------------------------------------------------

INSERT INTO Azienda (IDAzienda, Azienda) VALUES
    (1, 'Ferramenta Rossetti S.r.l.'),
    (2, 'Studio Grafico Bellini S.n.c.');

INSERT INTO Filiale (IDFiliale, IDAzienda, Filiale) VALUES
    (1, 1, 'Sede di Bologna'),
    (2, 1, 'Filiale di Modena'),
    (3, 2, 'Sede di Milano');

INSERT INTO Utente (IDUtente, Utente) VALUES
    (1, 'admin'),
    (2, 'mrossi'),  -- bookkeeper: may run the registry and customer programs at the head office only
    (3, 'ospite');  -- guest: may only look

INSERT INTO Esercizio (IDEsercizio, Esercizio, DataInizio, DataFine) VALUES
    (2025, '2025', '2025-01-01', '2025-12-31'),
    (2026, '2026', '2026-01-01', '2026-12-31');

-- Quarterly VAT settlement periods.
INSERT INTO PeriodoContabilizzazione (IDPeriodoContabilizzazione, IDEsercizio, PeriodoContabilizzazione, DataInizio, DataFine) VALUES
    (1, 2025, '1° trimestre 2025', '2025-01-01', '2025-03-31'),
    (2, 2025, '2° trimestre 2025', '2025-04-01', '2025-06-30'),
    (3, 2025, '3° trimestre 2025', '2025-07-01', '2025-09-30'),
    (4, 2025, '4° trimestre 2025', '2025-10-01', '2025-12-31'),
    (5, 2026, '1° trimestre 2026', '2026-01-01', '2026-03-31'),
    (6, 2026, '2° trimestre 2026', '2026-04-01', '2026-06-30'),
    (7, 2026, '3° trimestre 2026', '2026-07-01', '2026-09-30'),
    (8, 2026, '4° trimestre 2026', '2026-10-01', '2026-12-31');

------------------------------------------------------------------------------------------------
-- Places
------------------------------------------------------------------------------------------------

INSERT INTO Nazione (IDNazione, Nazione, SiglaNazione) VALUES
    (1, 'Italia', 'IT'),
    (2, 'Svizzera', 'CH'),
    (3, 'Germania', 'DE'),
    (4, 'Francia', 'FR'),
    (5, 'San Marino', 'SM');

INSERT INTO Provincia (IDProvincia, Provincia, SiglaProvincia) VALUES
    (1, 'Bologna', 'BO'),
    (2, 'Modena', 'MO'),
    (3, 'Reggio Emilia', 'RE'),
    (4, 'Milano', 'MI'),
    (5, 'Roma', 'RM'),
    (6, 'Napoli', 'NA'),
    (7, 'Torino', 'TO'),
    (8, 'Firenze', 'FI'),
    (9, 'Ferrara', 'FE');

-- Foreign towns have no province.
INSERT INTO Comune (IDComune, Comune, CAP, IDProvincia) VALUES
    (1, 'Bologna', '40121', 1),
    (2, 'Casalecchio di Reno', '40033', 1),
    (3, 'Imola', '40026', 1),
    (4, 'San Lazzaro di Savena', '40068', 1),
    (5, 'Modena', '41121', 2),
    (6, 'Sassuolo', '41049', 2),
    (7, 'Carpi', '41012', 2),
    (8, 'Reggio nell''Emilia', '42121', 3),
    (9, 'Milano', '20121', 4),
    (10, 'Roma', '00184', 5),
    (11, 'Napoli', '80133', 6),
    (12, 'Torino', '10121', 7),
    (13, 'Firenze', '50122', 8),
    (14, 'Ferrara', '44121', 9),
    (15, 'Lugano', '6900', NULL),
    (16, 'Monaco di Baviera', '80331', NULL);

------------------------------------------------------------------------------------------------
-- Registry entries
--   1-20   customers of company 1 (C001-C020); 1 is also a customer of company 2, 5 also a supplier
--   30-38  suppliers of company 1 (F001-F008, F010; F009 is entry 5)
--   40-46  agents and clerks of company 1
--   50-52  collaborators of company 1
--   60-64  company 2: customers, supplier, agent, collaborator
--   70-71  entries without any role
------------------------------------------------------------------------------------------------

INSERT INTO Anagrafica (IDAnagrafica, Anagrafica, Nome, CodiceFiscale, PartitaIva, Indirizzo, Cap, IDComune, IDNazione, VirtualDelete) VALUES
    -- customers of company 1
    (1, 'Rossi', 'Mario', 'RSSMRA70A01A944K', NULL, 'Via dell''Indipendenza 12', '40121', 1, 1, 0),
    (2, 'Rossini Forniture S.r.l.', NULL, '02345670371', '02345670371', 'Via Emilia Levante 210', '40068', 4, 1, 0),
    (3, 'Dell''Orto', 'Giuseppe', 'DLLGPP65M12F257T', NULL, 'Viale Trento e Trieste 4', '41124', 5, 1, 0),
    (4, 'Esposito', 'Anna', 'SPSNNA82D55F839Q', NULL, 'Via Toledo 88', '80134', 11, 1, 0),
    (5, 'Ferrari Impianti S.n.c.', NULL, '01987650365', '01987650365', 'Via Radici in Piano 14', '41049', 6, 1, 0),
    (6, 'Russo', 'Salvatore', 'RSSSVT58C20H501U', NULL, 'Via Tuscolana 301', '00182', 10, 1, 0),
    (7, 'Romano Elettronica S.p.A.', NULL, '03456780158', '03456780158', 'Viale Monza 55', '20127', 9, 1, 0),
    (8, 'Colombo', 'Luca', 'CLMLCU77H03F205R', NULL, 'Corso Buenos Aires 20', '20124', 9, 1, 0),
    (9, 'Ricci', 'Francesca', 'RCCFNC88S41A944B', NULL, 'Via Saragozza 71', '40123', 1, 1, 0),
    (10, 'Marino Trasporti S.r.l.', NULL, '04567890372', '04567890372', 'Via del Lavoro 8', '40033', 2, 1, 0),
    (11, 'Greco', 'Antonio', 'GRCNTN69E15L219H', NULL, 'Via Po 17', '10124', 12, 1, 0),
    (12, 'Bruno', 'Laura', 'BRNLRA90B50D612C', NULL, 'Via dei Servi 9', '50122', 13, 1, 0),
    (13, 'Gallo Edilizia S.a.s.', NULL, '02233440366', '02233440366', 'Via Carlo Marx 102', '41012', 7, 1, 0),
    (14, 'Conti', 'Stefano', 'CNTSFN73P09H223L', NULL, 'Via Emilia San Pietro 33', '42121', 8, 1, 0),
    (15, 'De Luca', 'Paola', 'DLCPLA84L62D548Z', NULL, 'Corso Giovecca 140', '44121', 14, 1, 0),
    (16, 'Mancini', 'Giorgio', 'MNCGRG61T27A944F', NULL, NULL, NULL, NULL, NULL, 0),
    (17, 'Costa Arredamenti S.r.l.', NULL, '01122330379', '01122330379', 'Via Selice 45', '40026', 3, 1, 0),
    (18, 'Giordano', 'Marco', 'GRDMRC75R11A944N', NULL, 'Via Mazzini 150', '40137', 1, 1, 1),  -- deleted
    (19, 'Rizzo', 'Elena', 'RZZLNE80A60F257D', NULL, 'Via Giardini 470', '41124', 5, 1, 0),
    (20, 'Lombardi', 'Carlo', 'LMBCRL66D18Z133W', NULL, 'Via Nassa 21', '6900', 15, 2, 0),
    -- suppliers of company 1
    (30, 'Acciaierie Lombarde S.p.A.', NULL, '05678900150', '05678900150', 'Via Stephenson 94', '20157', 9, 1, 0),
    (31, 'Utensileria Brambilla S.r.l.', NULL, '06789010159', '06789010159', 'Via Novara 300', '20153', 9, 1, 0),
    (32, 'Energia Padana S.p.A.', NULL, '07890120018', '07890120018', 'Corso Regina Margherita 267', '10143', 12, 1, 0),
    (33, 'Trasporti Bianco S.r.l.', NULL, '08901230361', '08901230361', 'Via Emilia Ovest 1010', '41123', 5, 1, 0),
    (34, 'Cartotecnica Moretti S.n.c.', NULL, '09012340364', '09012340364', 'Via Nuova Ponente 7', '41012', 7, 1, 0),
    (35, 'Fontana', 'Alberto', 'FNTLRT59M02A944P', '10123450376', 'Piazza Galvani 3', '40124', 1, 1, 0),
    (36, 'Dell''Acqua Idraulica S.r.l.', NULL, '01234560353', '01234560353', 'Via Gramsci 60', '42124', 8, 1, 0),
    (37, 'Ferretti Viterie S.r.l.', NULL, '02345610366', '02345610366', 'Via Regina Pacis 18', '41049', 6, 1, 0),
    (38, 'Schraubenwerk Keller GmbH', NULL, NULL, 'DE812345678', 'Landsberger Straße 88', '80339', 16, 3, 0),
    -- agents and clerks of company 1
    (40, 'Moretti', 'Paolo', 'MRTPLA71C05A944S', '02456780370', 'Via San Felice 40', '40122', 1, 1, 0),
    (41, 'Sartori', 'Claudio', 'SRTCLD68E22F257A', '03567890361', 'Via Vignolese 25', '41124', 5, 1, 0),
    (42, 'Villa', 'Roberto', 'VLLRRT75H14H223C', '04678900351', 'Via Roma 2', '42121', 8, 1, 0),
    (43, 'Fabbri', 'Giulia', 'FBBGLI80M45D548X', NULL, 'Via Bologna 11', '44122', 14, 1, 0),
    (44, 'Pellegrini', 'Marta', 'PLLMRT85T50A944J', NULL, 'Via Murri 90', '40137', 1, 1, 0),
    (45, 'Caruso', 'Davide', 'CRSDVD91A10F257M', NULL, 'Via Giardini 12', '41124', 5, 1, 0),
    (46, 'Benedetti', 'Franco', 'BNDFNC57S03A944V', NULL, 'Via Castiglione 5', '40124', 1, 1, 1),  -- deleted
    -- collaborators of company 1
    (50, 'Barbieri', 'Silvia', 'BRBSLV79D42A944E', '05789010374', 'Via Irnerio 33', '40126', 1, 1, 0),
    (51, 'Testa', 'Andrea', 'TSTNDR83B12F257G', NULL, 'Via Ganaceto 64', '41121', 5, 1, 0),
    (52, 'Serra', 'Matteo', 'SRRMTT90L01H223K', NULL, NULL, NULL, 8, 1, 0),
    -- company 2
    (60, 'Verdi', 'Giovanni', 'VRDGNN72A01F205X', NULL, 'Via Padova 120', '20131', 9, 1, 0),
    (61, 'Tipografia Sole S.r.l.', NULL, '06890120157', '06890120157', 'Via Tortona 31', '20144', 9, 1, 0),
    (62, 'Cancelleria Moderna S.r.l.', NULL, '07901230156', '07901230156', 'Viale Certosa 140', '20156', 9, 1, 0),
    (63, 'Longo', 'Sergio', 'LNGSRG64P19F205B', '08012340153', 'Via Washington 70', '20146', 9, 1, 0),
    (64, 'Martini', 'Elisa', 'MRTLSE87R48F205Y', NULL, 'Via Solari 12', '20144', 9, 1, 0),
    -- entries without a role
    (70, 'Banca Emiliana di Credito Cooperativo', NULL, '00112230375', '00112230375', 'Via Rizzoli 1', '40125', 1, 1, 0),
    (71, 'Comune di Bologna', NULL, '01232710374', '01232710374', 'Piazza Maggiore 6', '40124', 1, 1, 0);

-- Customers. Each has its own account (IDPDCContabile): chart 1 for company 1, chart 2 for company 2.
-- BloccoEmissioneDoc: C007 blocked (1), C019 blocked as written by older clients (-1), C012 Null.
INSERT INTO Cliente (IDCliente, IDAnagrafica, IDAzienda, Codice, IDPDCContabile, BloccoEmissioneDoc) VALUES
    (1, 1, 1, 'C001', 101, 0),
    (2, 2, 1, 'C002', 102, 0),
    (3, 3, 1, 'C003', 103, 0),
    (4, 4, 1, 'C004', 104, 0),
    (5, 5, 1, 'C005', 105, 0),
    (6, 6, 1, 'C006', 106, 0),
    (7, 7, 1, 'C007', 107, 1),
    (8, 8, 1, 'C008', 108, 0),
    (9, 9, 1, 'C009', 109, 0),
    (10, 10, 1, 'C010', 110, 0),
    (11, 11, 1, 'C011', 111, 0),
    (12, 12, 1, 'C012', 112, NULL),
    (13, 13, 1, 'C013', 113, 0),
    (14, 14, 1, 'C014', 114, 0),
    (15, 15, 1, 'C015', 115, 0),
    (16, 16, 1, 'C016', 116, 0),
    (17, 17, 1, 'C017', 117, 0),
    (18, 18, 1, 'C018', 118, 0),
    (19, 19, 1, 'C019', 119, -1),
    (20, 20, 1, 'C020', 120, 0),
    (21, 60, 2, 'C001', 303, 0),
    (22, 1, 2, 'C050', 304, 0),
    (23, 61, 2, 'C002', 305, 0);

-- Suppliers. Entry 5 (Ferrari Impianti) is customer C005 and supplier F009, with two accounts.
INSERT INTO Fornitore (IDFornitore, IDAnagrafica, IDAzienda, Codice, IDPDCContabile) VALUES
    (1, 30, 1, 'F001', 201),
    (2, 31, 1, 'F002', 202),
    (3, 32, 1, 'F003', 203),
    (4, 33, 1, 'F004', 204),
    (5, 34, 1, 'F005', 205),
    (6, 35, 1, 'F006', 206),
    (7, 36, 1, 'F007', 207),
    (8, 37, 1, 'F008', 208),
    (9, 5, 1, 'F009', 209),
    (10, 38, 1, 'F010', 210),
    (11, 62, 2, 'F001', 307);

INSERT INTO TipoAgente (IDTipoAgente, TipoAgente) VALUES
    (1, 'Agente'),
    (2, 'Impiegato');

-- Agents and clerks. A01 is used twice in company 1 (Moretti, type 1; Sartori, type Null) and once
-- in company 2. Fabbri's contract is cancelled; Benedetti's registry entry is deleted.
INSERT INTO Agente (IDAgente, IDAnagrafica, IDAzienda, Codice, Enasarco, IDTipoAgente, Annullato) VALUES
    (1, 40, 1, 'A01', '0012345', 1, 0),
    (2, 41, 1, 'A01', '0023456', NULL, 0),
    (3, 42, 1, 'A02', '0034567', 1, 0),
    (4, 43, 1, 'A03', '0045678', 1, 1),
    (5, 44, 1, 'I01', NULL, 2, 0),
    (6, 45, 1, 'I02', NULL, 2, 0),
    (7, 46, 1, 'A04', '0056789', 1, 0),
    (8, 63, 2, 'A01', '0067890', 1, 0);

INSERT INTO Collaboratore (IDCollaboratore, IDAnagrafica, IDAzienda, Codice) VALUES
    (1, 50, 1, 'CO01'),
    (2, 51, 1, 'CO02'),
    (3, 52, 1, 'CO03'),
    (4, 64, 2, 'CO01');

-- Commission links. Rossi (1) has two agents; Romano (7) is blocked; Russo (6) is followed by the
-- cancelled agent Fabbri; the deleted customer Giordano (18) still has a link.
INSERT INTO ProvvClienteAgente (IDProvvClienteAgente, IDAnagraficaCliente, IDAnagraficaAgente, PercentualeProvvigione) VALUES
    (1, 1, 40, 3.00),
    (2, 1, 42, 1.50),
    (3, 2, 40, 4.00),
    (4, 3, 42, 3.00),
    (5, 4, 42, 3.00),
    (6, 5, 41, 2.50),
    (7, 6, 43, 3.00),
    (8, 7, 40, 3.50),
    (9, 10, 41, 2.00),
    (10, 18, 40, 3.00),
    (11, 60, 63, 5.00);

------------------------------------------------------------------------------------------------
-- Chart of accounts
------------------------------------------------------------------------------------------------

INSERT INTO TipoConto (IDTipoConto, TipoConto) VALUES
    (1, 'Attività'),
    (2, 'Passività'),
    (3, 'Costi'),
    (4, 'Ricavi'),
    (5, 'Apertura e chiusura'),
    (6, 'Clienti'),
    (7, 'Fornitori');

INSERT INTO PianoDeiConti (IDPianoDeiConti, PianoDeiConti, IDAzienda, IDEsercizio, SeparatoreCodifica, VirtualDelete) VALUES
    (1, 'Piano dei conti Ferramenta Rossetti 2026', 1, 2026, '.', 0),
    (2, 'Piano dei conti Studio Bellini 2026', 2, 2026, '-', 0),
    (3, 'Piano dei conti Ferramenta Rossetti 2025 (da impostare)', 1, 2025, '/', 0);

-- Chart 1. Top level is shown in CategoriaConto order, so "00 APERTURA E CHIUSURA" (category 5)
-- comes last although its code sorts first. Branch 1023 has ElementoTerminale Null (an old
-- row, read as non-terminal). Branch 1034 is deleted, branch 1042 archived.
INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, CodificaCompleta, ElementoPDC, ElementoTerminale, CategoriaConto, IDTipoConto, VirtualDelete) VALUES
    (1001, 1, NULL, '01', '01', 'ATTIVITA''', 0, 1, 1, 0),
    (1002, 1, NULL, '02', '02', 'PASSIVITA''', 0, 2, 2, 0),
    (1003, 1, NULL, '03', '03', 'COSTI', 0, 3, 3, 0),
    (1004, 1, NULL, '04', '04', 'RICAVI', 0, 4, 4, 0),
    (1005, 1, NULL, '00', '00', 'APERTURA E CHIUSURA', 1, 5, 5, 0),
    -- under 01 ATTIVITA'
    (1010, 1, 1001, '01', '01.01', 'Immobilizzazioni', 0, 1, 1, 0),
    (1011, 1, 1010, '01', '01.01.01', 'Immobilizzazioni materiali', 1, 1, 1, 0),
    (1012, 1, 1010, '02', '01.01.02', 'Immobilizzazioni immateriali', 1, 1, 1, 0),
    (1013, 1, 1001, '05', '01.05', 'Crediti verso clienti', 1, 1, 6, 0),
    (1014, 1, 1001, '10', '01.10', 'Disponibilità liquide', 1, 1, 1, 0),
    (1015, 1, 1001, '15', '01.15', 'Crediti tributari', 1, 1, 1, 0),
    (1016, 1, 1001, '20', '01.20', 'Rimanenze', 1, 1, 1, 0),
    -- under 02 PASSIVITA'
    (1020, 1, 1002, '01', '02.01', 'Patrimonio netto', 1, 2, 2, 0),
    (1021, 1, 1002, '05', '02.05', 'Debiti tributari', 1, 2, 2, 0),
    (1022, 1, 1002, '10', '02.10', 'Debiti verso fornitori', 1, 2, 7, 0),
    (1023, 1, 1002, '15', '02.15', 'Fondi', NULL, 2, 2, 0),
    (1024, 1, 1023, '01', '02.15.01', 'Fondi ammortamento', 1, 2, 2, 0),
    (1025, 1, 1023, '02', '02.15.02', 'Trattamento di fine rapporto', 1, 2, 2, 0),
    -- under 03 COSTI
    (1030, 1, 1003, '01', '03.01', 'Acquisti', 1, 3, 3, 0),
    (1031, 1, 1003, '05', '03.05', 'Servizi', 1, 3, 3, 0),
    (1032, 1, 1003, '10', '03.10', 'Personale', 1, 3, 3, 0),
    (1033, 1, 1003, '15', '03.15', 'Ammortamenti', 1, 3, 3, 0),
    (1034, 1, 1003, '90', '03.90', 'Costi vecchia codifica', 1, 3, 3, 1),
    -- under 04 RICAVI
    (1040, 1, 1004, '01', '04.01', 'Vendite', 1, 4, 4, 0),
    (1041, 1, 1004, '05', '04.05', 'Proventi diversi', 1, 4, 4, 0),
    (1042, 1, 1004, '90', '04.90', 'Ricavi esercizi precedenti', 1, 4, 4, 2);

-- Chart 2 (company 2, separator "-"): the root branch 01 holds account 7, full code 01-7.
INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, CodificaCompleta, ElementoPDC, ElementoTerminale, CategoriaConto, IDTipoConto, VirtualDelete) VALUES
    (1100, 2, NULL, '01', '01', 'RICAVI', 1, 4, 4, 0),
    (1101, 2, NULL, '02', '02', 'ATTIVO', 0, 1, 1, 0),
    (1102, 2, 1101, '1', '02-1', 'Clienti', 1, 1, 6, 0),
    (1103, 2, 1101, '2', '02-2', 'Banche', 1, 1, 1, 0),
    (1104, 2, NULL, '03', '03', 'PASSIVO', 0, 2, 2, 0),
    (1105, 2, 1104, '1', '03-1', 'Fornitori', 1, 2, 7, 0);

-- Accounts of chart 1, general ledger (ids 1-58). Account 13 is archived, 14 deleted; 47 lies in
-- the deleted branch 1034, 55 in the archived branch 1042.
INSERT INTO ContoPDC (IDContoPDC, Codifica, ContoPDC, IDAnagrafica, CategoriaConto, CondizioneContabile, IDTipoConto, VirtualDelete) VALUES
    -- 01.01.01 Immobilizzazioni materiali
    (1, '001', 'Fabbricati', NULL, 1, 1, 1, 0),
    (2, '002', 'Impianti e macchinari', NULL, 1, 1, 1, 0),
    (3, '003', 'Attrezzature industriali', NULL, 1, 1, 1, 0),
    (4, '004', 'Automezzi', NULL, 1, 1, 1, 0),
    (5, '005', 'Mobili e arredi d''ufficio', NULL, 1, 1, 1, 0),
    -- 01.01.02 Immobilizzazioni immateriali
    (6, '001', 'Software', NULL, 1, 1, 1, 0),
    (7, '002', 'Marchi e brevetti', NULL, 1, 1, 1, 0),
    -- 01.10 Disponibilità liquide
    (8, '001', 'Cassa contanti', NULL, 1, 1, 1, 0),
    (9, '002', 'Banca Emiliana c/c', NULL, 1, 0, 1, 0),
    (10, '003', 'Banca Padana c/c', NULL, 1, 0, 1, 0),
    (11, '004', 'Conto corrente postale', NULL, 1, 0, 1, 0),
    (12, '005', 'Cassa filiale di Modena', NULL, 1, 1, 1, 0),
    (13, '006', 'Banca del Reno c/c (estinto)', NULL, 1, 0, 1, 2),
    (14, '007', 'Cassa assegni', NULL, 1, 1, 1, 1),
    -- 01.15 Crediti tributari
    (15, '001', 'Erario c/IVA acquisti', NULL, 1, 1, 1, 0),
    (16, '002', 'Erario c/acconti IRES', NULL, 1, 1, 1, 0),
    (17, '003', 'Ritenute d''acconto subite', NULL, 1, 1, 1, 0),
    -- 01.20 Rimanenze
    (18, '001', 'Merci c/rimanenze finali', NULL, 1, 1, 1, 0),
    -- 01.05 Crediti verso clienti: two accounts besides the customers' own
    (19, '999', 'Clienti diversi', NULL, 1, 1, 6, 0),
    (20, '998', 'Effetti attivi in portafoglio', NULL, 1, 1, 1, 0),
    -- 02.01 Patrimonio netto
    (21, '001', 'Capitale sociale', NULL, 2, 2, 2, 0),
    (22, '002', 'Riserva legale', NULL, 2, 2, 2, 0),
    (23, '003', 'Utile (perdita) d''esercizio', NULL, 2, 0, 2, 0),
    -- 02.05 Debiti tributari
    (24, '001', 'Erario c/IVA vendite', NULL, 2, 2, 2, 0),
    (25, '002', 'Erario c/liquidazione IVA', NULL, 2, 0, 2, 0),
    (26, '003', 'Erario c/ritenute da versare', NULL, 2, 2, 2, 0),
    -- 02.10 Debiti verso fornitori: one account besides the suppliers' own
    (27, '999', 'Fornitori diversi', NULL, 2, 2, 7, 0),
    -- 02.15.01 Fondi ammortamento
    (28, '001', 'Fondo ammortamento fabbricati', NULL, 2, 2, 2, 0),
    (29, '002', 'Fondo ammortamento impianti', NULL, 2, 2, 2, 0),
    (30, '003', 'Fondo ammortamento automezzi', NULL, 2, 2, 2, 0),
    -- 02.15.02 Trattamento di fine rapporto
    (31, '001', 'Fondo TFR dipendenti', NULL, 2, 2, 2, 0),
    -- 03.01 Acquisti
    (32, '001', 'Merci c/acquisti', NULL, 3, 1, 3, 0),
    (33, '002', 'Materiali di consumo', NULL, 3, 1, 3, 0),
    (34, '003', 'Arrotondamenti passivi', NULL, 3, 1, 3, 0),
    (35, '004', 'Abbuoni passivi', NULL, 3, 1, 3, 0),
    -- 03.05 Servizi
    (36, '001', 'Energia elettrica', NULL, 3, 1, 3, 0),
    (37, '002', 'Spese telefoniche', NULL, 3, 1, 3, 0),
    (38, '003', 'Trasporti su acquisti', NULL, 3, 1, 3, 0),
    (39, '004', 'Consulenze amministrative', NULL, 3, 1, 3, 0),
    (40, '005', 'Spese bancarie e di incasso', NULL, 3, 1, 3, 0),
    -- 03.10 Personale
    (41, '001', 'Salari e stipendi', NULL, 3, 1, 3, 0),
    (42, '002', 'Oneri sociali', NULL, 3, 1, 3, 0),
    (43, '003', 'Accantonamento TFR', NULL, 3, 1, 3, 0),
    -- 03.15 Ammortamenti
    (44, '001', 'Ammortamento fabbricati', NULL, 3, 1, 3, 0),
    (45, '002', 'Ammortamento impianti', NULL, 3, 1, 3, 0),
    (46, '003', 'Ammortamento automezzi', NULL, 3, 1, 3, 0),
    -- 03.90 Costi vecchia codifica (deleted branch)
    (47, '001', 'Spese varie', NULL, 3, 1, 3, 0),
    -- 04.01 Vendite
    (48, '001', 'Merci c/vendite', NULL, 4, 2, 4, 0),
    (49, '002', 'Prestazioni di servizi', NULL, 4, 2, 4, 0),
    (50, '003', 'Arrotondamenti attivi', NULL, 4, 2, 4, 0),
    (51, '004', 'Abbuoni attivi', NULL, 4, 2, 4, 0),
    (52, '005', 'Rimborsi spese di trasporto', NULL, 4, 2, 4, 0),
    -- 04.05 Proventi diversi
    (53, '001', 'Interessi attivi bancari', NULL, 4, 2, 4, 0),
    (54, '002', 'Plusvalenze', NULL, 4, 2, 4, 0),
    -- 04.90 Ricavi esercizi precedenti (archived branch)
    (55, '001', 'Sopravvenienze attive 2024', NULL, 4, 2, 4, 0),
    -- 00 APERTURA E CHIUSURA (top-level terminal branch)
    (56, '01', 'Stato patrimoniale di apertura', NULL, 5, 0, 5, 0),
    (57, '02', 'Stato patrimoniale di chiusura', NULL, 5, 0, 5, 0),
    (58, '03', 'Profitti e perdite', NULL, 5, 0, 5, 0);

-- Customers' and suppliers' own accounts (chart 1: 101-120 customers, 201-210 suppliers;
-- chart 2: 303-305 customers, 307 supplier), each pointing back at its registry entry. The account
-- of the deleted entry 18 stays live.
INSERT INTO ContoPDC (IDContoPDC, Codifica, ContoPDC, IDAnagrafica, CategoriaConto, CondizioneContabile, IDTipoConto, VirtualDelete) VALUES
    (101, '001', 'Rossi Mario', 1, 1, 1, 6, 0),
    (102, '002', 'Rossini Forniture S.r.l.', 2, 1, 1, 6, 0),
    (103, '003', 'Dell''Orto Giuseppe', 3, 1, 1, 6, 0),
    (104, '004', 'Esposito Anna', 4, 1, 1, 6, 0),
    (105, '005', 'Ferrari Impianti S.n.c.', 5, 1, 1, 6, 0),
    (106, '006', 'Russo Salvatore', 6, 1, 1, 6, 0),
    (107, '007', 'Romano Elettronica S.p.A.', 7, 1, 1, 6, 0),
    (108, '008', 'Colombo Luca', 8, 1, 1, 6, 0),
    (109, '009', 'Ricci Francesca', 9, 1, 1, 6, 0),
    (110, '010', 'Marino Trasporti S.r.l.', 10, 1, 1, 6, 0),
    (111, '011', 'Greco Antonio', 11, 1, 1, 6, 0),
    (112, '012', 'Bruno Laura', 12, 1, 1, 6, 0),
    (113, '013', 'Gallo Edilizia S.a.s.', 13, 1, 1, 6, 0),
    (114, '014', 'Conti Stefano', 14, 1, 1, 6, 0),
    (115, '015', 'De Luca Paola', 15, 1, 1, 6, 0),
    (116, '016', 'Mancini Giorgio', 16, 1, 1, 6, 0),
    (117, '017', 'Costa Arredamenti S.r.l.', 17, 1, 1, 6, 0),
    (118, '018', 'Giordano Marco', 18, 1, 1, 6, 0),
    (119, '019', 'Rizzo Elena', 19, 1, 1, 6, 0),
    (120, '020', 'Lombardi Carlo', 20, 1, 1, 6, 0),
    (201, '001', 'Acciaierie Lombarde S.p.A.', 30, 2, 2, 7, 0),
    (202, '002', 'Utensileria Brambilla S.r.l.', 31, 2, 2, 7, 0),
    (203, '003', 'Energia Padana S.p.A.', 32, 2, 2, 7, 0),
    (204, '004', 'Trasporti Bianco S.r.l.', 33, 2, 2, 7, 0),
    (205, '005', 'Cartotecnica Moretti S.n.c.', 34, 2, 2, 7, 0),
    (206, '006', 'Fontana Alberto', 35, 2, 2, 7, 0),
    (207, '007', 'Dell''Acqua Idraulica S.r.l.', 36, 2, 2, 7, 0),
    (208, '008', 'Ferretti Viterie S.r.l.', 37, 2, 2, 7, 0),
    (209, '009', 'Ferrari Impianti S.n.c.', 5, 2, 2, 7, 0),
    (210, '010', 'Schraubenwerk Keller GmbH', 38, 2, 2, 7, 0),
    -- chart 2
    (301, '7', 'Prestazioni grafiche', NULL, 4, 2, 4, 0),
    (302, '8', 'Vendita stampati', NULL, 4, 2, 4, 0),
    (303, '001', 'Verdi Giovanni', 60, 1, 1, 6, 0),
    (304, '002', 'Rossi Mario', 1, 1, 1, 6, 0),
    (305, '003', 'Tipografia Sole S.r.l.', 61, 1, 1, 6, 0),
    (306, '1', 'Banca Popolare di Milano c/c', NULL, 1, 0, 1, 0),
    (307, '001', 'Cancelleria Moderna S.r.l.', 62, 2, 2, 7, 0);

-- Each account in its branch. The link of account 55 is archived (VirtualDelete 2).
INSERT INTO ContoPerPDC (IDContoPerPDC, IDElementoPDC, IDContoPDC, CodificaCompleta, VirtualDelete) VALUES
    (1, 1011, 1, '01.01.01.001', 0),
    (2, 1011, 2, '01.01.01.002', 0),
    (3, 1011, 3, '01.01.01.003', 0),
    (4, 1011, 4, '01.01.01.004', 0),
    (5, 1011, 5, '01.01.01.005', 0),
    (6, 1012, 6, '01.01.02.001', 0),
    (7, 1012, 7, '01.01.02.002', 0),
    (8, 1014, 8, '01.10.001', 0),
    (9, 1014, 9, '01.10.002', 0),
    (10, 1014, 10, '01.10.003', 0),
    (11, 1014, 11, '01.10.004', 0),
    (12, 1014, 12, '01.10.005', 0),
    (13, 1014, 13, '01.10.006', 0),
    (14, 1014, 14, '01.10.007', 0),
    (15, 1015, 15, '01.15.001', 0),
    (16, 1015, 16, '01.15.002', 0),
    (17, 1015, 17, '01.15.003', 0),
    (18, 1016, 18, '01.20.001', 0),
    (19, 1013, 19, '01.05.999', 0),
    (20, 1013, 20, '01.05.998', 0),
    (21, 1020, 21, '02.01.001', 0),
    (22, 1020, 22, '02.01.002', 0),
    (23, 1020, 23, '02.01.003', 0),
    (24, 1021, 24, '02.05.001', 0),
    (25, 1021, 25, '02.05.002', 0),
    (26, 1021, 26, '02.05.003', 0),
    (27, 1022, 27, '02.10.999', 0),
    (28, 1024, 28, '02.15.01.001', 0),
    (29, 1024, 29, '02.15.01.002', 0),
    (30, 1024, 30, '02.15.01.003', 0),
    (31, 1025, 31, '02.15.02.001', 0),
    (32, 1030, 32, '03.01.001', 0),
    (33, 1030, 33, '03.01.002', 0),
    (34, 1030, 34, '03.01.003', 0),
    (35, 1030, 35, '03.01.004', 0),
    (36, 1031, 36, '03.05.001', 0),
    (37, 1031, 37, '03.05.002', 0),
    (38, 1031, 38, '03.05.003', 0),
    (39, 1031, 39, '03.05.004', 0),
    (40, 1031, 40, '03.05.005', 0),
    (41, 1032, 41, '03.10.001', 0),
    (42, 1032, 42, '03.10.002', 0),
    (43, 1032, 43, '03.10.003', 0),
    (44, 1033, 44, '03.15.001', 0),
    (45, 1033, 45, '03.15.002', 0),
    (46, 1033, 46, '03.15.003', 0),
    (47, 1034, 47, '03.90.001', 0),
    (48, 1040, 48, '04.01.001', 0),
    (49, 1040, 49, '04.01.002', 0),
    (50, 1040, 50, '04.01.003', 0),
    (51, 1040, 51, '04.01.004', 0),
    (52, 1040, 52, '04.01.005', 0),
    (53, 1041, 53, '04.05.001', 0),
    (54, 1041, 54, '04.05.002', 0),
    (55, 1042, 55, '04.90.001', 2),
    (56, 1005, 56, '00.01', 0),
    (57, 1005, 57, '00.02', 0),
    (58, 1005, 58, '00.03', 0),
    -- customers' accounts in 01.05, suppliers' accounts in 02.10
    (101, 1013, 101, '01.05.001', 0),
    (102, 1013, 102, '01.05.002', 0),
    (103, 1013, 103, '01.05.003', 0),
    (104, 1013, 104, '01.05.004', 0),
    (105, 1013, 105, '01.05.005', 0),
    (106, 1013, 106, '01.05.006', 0),
    (107, 1013, 107, '01.05.007', 0),
    (108, 1013, 108, '01.05.008', 0),
    (109, 1013, 109, '01.05.009', 0),
    (110, 1013, 110, '01.05.010', 0),
    (111, 1013, 111, '01.05.011', 0),
    (112, 1013, 112, '01.05.012', 0),
    (113, 1013, 113, '01.05.013', 0),
    (114, 1013, 114, '01.05.014', 0),
    (115, 1013, 115, '01.05.015', 0),
    (116, 1013, 116, '01.05.016', 0),
    (117, 1013, 117, '01.05.017', 0),
    (118, 1013, 118, '01.05.018', 0),
    (119, 1013, 119, '01.05.019', 0),
    (120, 1013, 120, '01.05.020', 0),
    (201, 1022, 201, '02.10.001', 0),
    (202, 1022, 202, '02.10.002', 0),
    (203, 1022, 203, '02.10.003', 0),
    (204, 1022, 204, '02.10.004', 0),
    (205, 1022, 205, '02.10.005', 0),
    (206, 1022, 206, '02.10.006', 0),
    (207, 1022, 207, '02.10.007', 0),
    (208, 1022, 208, '02.10.008', 0),
    (209, 1022, 209, '02.10.009', 0),
    (210, 1022, 210, '02.10.010', 0),
    -- chart 2
    (301, 1100, 301, '01-7', 0),
    (302, 1100, 302, '01-8', 0),
    (303, 1102, 303, '02-1-001', 0),
    (304, 1102, 304, '02-1-002', 0),
    (305, 1102, 305, '02-1-003', 0),
    (306, 1103, 306, '02-2-1', 0),
    (307, 1105, 307, '03-1-001', 0);

------------------------------------------------------------------------------------------------
-- Running totals
------------------------------------------------------------------------------------------------

-- Per month of 2026. The archived bank account 13 was closed in March; the deleted account 14
-- still carries January and February.
INSERT INTO ProgressivoContoMese (IDContoPDC, Anno, Mese, Dare, Avere) VALUES
    -- 01.05.001 Rossi Mario
    (101, 2026, 1, 1668.75, 2104.25), (101, 2026, 2, 2422.75, 2704.75), (101, 2026, 3, 1637.00, 1635.00), (101, 2026, 4, 2594.00, 2195.00),
    (101, 2026, 5, 2944.00, 2180.25), (101, 2026, 6, 2842.75, 2550.50), (101, 2026, 7, 2882.00, 2245.25), (101, 2026, 8, 1900.75, 2291.75),
    (101, 2026, 9, 1652.50, 2632.25), (101, 2026, 10, 2303.25, 2628.75), (101, 2026, 11, 2755.50, 2401.25), (101, 2026, 12, 1843.75, 1682.50),
    -- 01.05.002 Rossini Forniture S.r.l.
    (102, 2026, 1, 7196.50, 6448.50), (102, 2026, 2, 6469.25, 6718.75), (102, 2026, 3, 5256.50, 3173.00), (102, 2026, 4, 4536.00, 5020.50),
    (102, 2026, 5, 4335.25, 4636.50), (102, 2026, 6, 6766.25, 5583.25), (102, 2026, 7, 5522.00, 2975.00), (102, 2026, 8, 6077.25, 4276.00),
    (102, 2026, 9, 4876.50, 4411.25), (102, 2026, 10, 5556.50, 4794.00), (102, 2026, 11, 3604.50, 4824.50), (102, 2026, 12, 6240.50, 5184.75),
    -- 01.05.003 Dell'Orto Giuseppe
    (103, 2026, 1, 893.50, 1133.50), (103, 2026, 2, 726.25, 795.50), (103, 2026, 3, 1207.00, 835.75), (103, 2026, 4, 913.00, 527.25),
    (103, 2026, 5, 701.75, 597.75), (103, 2026, 6, 575.25, 989.25), (103, 2026, 7, 1178.50, 579.75), (103, 2026, 8, 988.00, 829.75),
    (103, 2026, 9, 887.00, 665.75), (103, 2026, 10, 1177.75, 936.25), (103, 2026, 11, 869.00, 829.25), (103, 2026, 12, 1209.25, 1181.25),
    -- 01.05.005 Ferrari Impianti S.n.c. (customer)
    (105, 2026, 1, 3213.25, 3038.75), (105, 2026, 2, 3521.00, 2453.75), (105, 2026, 3, 3843.50, 2904.50), (105, 2026, 4, 3047.75, 3792.00),
    (105, 2026, 5, 2934.00, 2423.00), (105, 2026, 6, 2527.25, 1816.75), (105, 2026, 7, 3486.00, 3125.75), (105, 2026, 8, 2996.50, 2953.00),
    (105, 2026, 9, 3074.00, 3878.00), (105, 2026, 10, 2505.00, 2866.50), (105, 2026, 11, 3128.00, 3656.75), (105, 2026, 12, 3863.75, 3034.25),
    -- 02.10.001 Acciaierie Lombarde S.p.A.
    (201, 2026, 1, 8087.50, 8602.75), (201, 2026, 2, 5205.25, 9067.50), (201, 2026, 3, 4140.00, 7830.00), (201, 2026, 4, 7491.25, 6882.50),
    (201, 2026, 5, 5870.25, 9331.00), (201, 2026, 6, 8380.25, 8662.75), (201, 2026, 7, 5998.25, 4429.75), (201, 2026, 8, 4960.25, 6791.50),
    (201, 2026, 9, 4131.75, 8146.75), (201, 2026, 10, 5667.25, 6524.75), (201, 2026, 11, 3728.50, 4081.25), (201, 2026, 12, 6493.50, 9151.00),
    -- 02.10.009 Ferrari Impianti S.n.c. (supplier)
    (209, 2026, 1, 466.50, 938.50), (209, 2026, 2, 558.75, 833.50), (209, 2026, 3, 841.00, 1037.50), (209, 2026, 4, 794.25, 842.25),
    (209, 2026, 5, 506.75, 646.50), (209, 2026, 6, 746.50, 923.75), (209, 2026, 7, 952.00, 755.25), (209, 2026, 8, 823.50, 538.00),
    (209, 2026, 9, 544.75, 813.50), (209, 2026, 10, 956.75, 988.50), (209, 2026, 11, 702.75, 507.25), (209, 2026, 12, 794.50, 1024.50),
    -- 01.10.001 Cassa contanti
    (8, 2026, 1, 1840.25, 1864.75), (8, 2026, 2, 1267.25, 1301.50), (8, 2026, 3, 1869.50, 1422.50), (8, 2026, 4, 1136.00, 855.75),
    (8, 2026, 5, 1027.25, 1834.25), (8, 2026, 6, 961.75, 1228.75), (8, 2026, 7, 1324.00, 1702.00), (8, 2026, 8, 931.00, 1411.75),
    (8, 2026, 9, 1293.25, 1180.00), (8, 2026, 10, 1291.25, 976.00), (8, 2026, 11, 2038.50, 1480.25), (8, 2026, 12, 1866.00, 1012.25),
    -- 01.10.002 Banca Emiliana c/c
    (9, 2026, 1, 18282.50, 15623.50), (9, 2026, 2, 15644.50, 17796.50), (9, 2026, 3, 20570.50, 10817.50), (9, 2026, 4, 16547.75, 12480.50),
    (9, 2026, 5, 24069.00, 10497.00), (9, 2026, 6, 18644.75, 20974.50), (9, 2026, 7, 17306.25, 19862.25), (9, 2026, 8, 13514.75, 19284.50),
    (9, 2026, 9, 23440.50, 11604.75), (9, 2026, 10, 18431.00, 20267.50), (9, 2026, 11, 18242.75, 22527.00), (9, 2026, 12, 13109.75, 21045.75),
    -- 04.01.001 Merci c/vendite
    (48, 2026, 1, 0, 13223.75), (48, 2026, 2, 0, 13634.00), (48, 2026, 3, 0, 13503.50), (48, 2026, 4, 0, 9612.50),
    (48, 2026, 5, 0, 12237.00), (48, 2026, 6, 0, 12691.25), (48, 2026, 7, 0, 11756.00), (48, 2026, 8, 0, 14472.25),
    (48, 2026, 9, 0, 17751.00), (48, 2026, 10, 0, 13522.50), (48, 2026, 11, 0, 14125.25), (48, 2026, 12, 0, 12479.25),
    -- 03.01.001 Merci c/acquisti
    (32, 2026, 1, 9659.25, 0), (32, 2026, 2, 6821.75, 0), (32, 2026, 3, 12125.25, 0), (32, 2026, 4, 12126.25, 0),
    (32, 2026, 5, 12278.75, 0), (32, 2026, 6, 12527.25, 0), (32, 2026, 7, 7693.75, 0), (32, 2026, 8, 13356.75, 0),
    (32, 2026, 9, 12768.50, 0), (32, 2026, 10, 10942.00, 0), (32, 2026, 11, 9078.75, 0), (32, 2026, 12, 12021.25, 0),
    -- 01.10.006 Banca del Reno c/c (archived, VirtualDelete 2)
    (13, 2026, 1, 511.75, 511.25), (13, 2026, 2, 547.50, 396.75), (13, 2026, 3, 290.25, 472.25),
    -- 01.10.007 Cassa assegni (deleted, VirtualDelete 1)
    (14, 2026, 1, 264.50, 257.75), (14, 2026, 2, 172.00, 293.25),
    -- chart 2: 02-1-001 Verdi Giovanni
    (303, 2026, 1, 1253.50, 1054.50), (303, 2026, 2, 925.75, 835.75), (303, 2026, 3, 977.50, 1044.50), (303, 2026, 4, 817.50, 811.00),
    (303, 2026, 5, 1636.75, 737.00), (303, 2026, 6, 1377.25, 1207.25), (303, 2026, 7, 1413.50, 748.50), (303, 2026, 8, 1325.00, 1005.25),
    (303, 2026, 9, 985.75, 1270.00), (303, 2026, 10, 999.50, 851.75), (303, 2026, 11, 970.50, 650.25), (303, 2026, 12, 1115.25, 1318.50);

-- Per fiscal year 2026: the sum of the months.
INSERT INTO ProgressivoContoEsercizio (IDContoPDC, IDEsercizio, Dare, Avere)
    SELECT IDContoPDC, Anno, SUM(Dare), SUM(Avere)
    FROM ProgressivoContoMese
    WHERE Anno = 2026
    GROUP BY IDContoPDC
    ORDER BY IDContoPDC;

-- Per fiscal year 2025: closing totals carried over from the previous system (no monthly detail).
INSERT INTO ProgressivoContoEsercizio (IDContoPDC, IDEsercizio, Dare, Avere) VALUES
    (101, 2025, 24500.00, 23150.50),
    (8, 2025, 16250.25, 15900.75),
    (9, 2025, 201340.50, 198775.25),
    (32, 2025, 118420.00, 0),
    (48, 2025, 0, 162300.75);

-- Per quarter of 2026 (periods 5 to 8): the sum of the quarter's months. IDPeriodo follows
-- IDPeriodoContabilizzazione by itself.
INSERT INTO ProgressivoContoPeriodo (IDContoPDC, IDPeriodoContabilizzazione, Dare, Avere)
    SELECT IDContoPDC, 4 + (Mese + 2) / 3, SUM(Dare), SUM(Avere)
    FROM ProgressivoContoMese
    WHERE Anno = 2026
    GROUP BY IDContoPDC, (Mese + 2) / 3
    ORDER BY IDContoPDC, (Mese + 2) / 3;

------------------------------------------------------------------------------------------------
-- Automatic posting accounts
------------------------------------------------------------------------------------------------

-- Company 1: the company-wide row (IDFiliale Null) and the Modena office, which has its own cash
-- and bank and leaves the other roles unset. Company 2 has only its bank and sales accounts.
INSERT INTO ContoAutomatico (IDContoAutomatico, IDAzienda, IDFiliale, IDContoCassa, IDContoBanca, IDContoClienti, IDContoFornitori,
                             IDContoIvaVendite, IDContoIvaAcquisti, IDContoErarioIva, IDContoVendite, IDContoAcquisti,
                             IDContoArrotondamentiAttivi, IDContoArrotondamentiPassivi, IDContoAbbuoniAttivi, IDContoAbbuoniPassivi,
                             IDContoSpeseIncasso, IDContoSpeseTrasporto, IDContoRitenuteAcconto, IDContoEffettiAttivi) VALUES
    (1, 1, NULL, 8, 9, 19, 27, 24, 15, 25, 48, 32, 50, 34, 51, 35, 40, 52, 26, 20),
    (2, 1, 2, 12, 10, 19, 27, 24, 15, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
    (3, 2, NULL, NULL, 306, NULL, NULL, NULL, NULL, NULL, 301, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);

------------------------------------------------------------------------------------------------
-- Management programs and rights
------------------------------------------------------------------------------------------------

-- Manager 28 maintains the registry as a whole (function 29); function 5 is the chart of accounts.
INSERT INTO Gestore (IDGestore, Gestore, Entita) VALUES
    (1, 'orvgest-clienti', 'Cliente'),
    (2, 'orvgest-fornitori', 'Fornitore'),
    (3, 'orvgest-agenti', 'Agente'),
    (4, 'orvgest-collaboratori', 'Collaboratore'),
    (5, 'orvgest-pianoconti', 'PianoDeiConti'),
    (28, 'orvgest-anagrafiche', 'Anagrafica');

-- Object type 7 names a manager that does not exist, so function 40 has no program.
INSERT INTO TipoOggetto (IDTipoOggetto, TipoOggetto, IDGestore) VALUES
    (1, 'Clienti', 1),
    (2, 'Fornitori', 2),
    (3, 'Agenti', 3),
    (4, 'Collaboratori', 4),
    (5, 'Piano dei conti', 5),
    (6, 'Anagrafiche', 28),
    (7, 'Listini', 99);

INSERT INTO Funzione (IDFunzione, Funzione, IDTipoOggetto) VALUES
    (5, 'Piano dei conti', 5),
    (29, 'Anagrafiche', 6),
    (30, 'Clienti', 1),
    (31, 'Fornitori', 2),
    (32, 'Agenti', 3),
    (33, 'Collaboratori', 4),
    (40, 'Listini di vendita', 7);

INSERT INTO Diritto (IDDiritto, Diritto) VALUES
    (1, 'Consultazione'),
    (33, 'Esecuzione manutenzione');

-- admin may run every program everywhere; mrossi may run the registry and customer programs at
-- the head office (office 1) and only look at the chart; ospite may only look at the registry.
INSERT INTO DirittoUtente (IDDirittoUtente, IDUtente, IDFiliale, IDTipoOggetto, IDDiritto) VALUES
    (1, 1, 0, 1, 33),
    (2, 1, 0, 2, 33),
    (3, 1, 0, 3, 33),
    (4, 1, 0, 4, 33),
    (5, 1, 0, 5, 33),
    (6, 1, 0, 6, 33),
    (7, 2, 1, 6, 33),
    (8, 2, 1, 1, 33),
    (9, 2, 0, 5, 1),
    (10, 3, 0, 6, 1);

COMMIT;
