-- OrvSearch company database: the tables and columns that the search control reads.
--
-- Conventions
-- * Every table has an integer surrogate key "ID<Table>" declared INTEGER PRIMARY KEY (the rowid).
-- * Texts that users search by code or by the beginning of a name are declared COLLATE NOCASE.
--   An index on such a column inherits NOCASE, and SQLite then serves both "Col = 'x'" and the
--   prefix form "Col LIKE 'x%'" from that one index (the LIKE optimisation needs a TEXT column
--   whose index uses NOCASE while case_sensitive_like is off, which is SQLite's default).
--   No connection-wide setting is needed or used.
-- * VirtualDelete is the logical deletion state: 0 live, 1 deleted, 2 archived (closed for new
--   postings but still part of the history; some chart queries accept it).
-- * Boolean flags are INTEGER: 0 is off, any other value is on (older clients write -1).
-- * Amounts (Dare, Avere) are NUMERIC; the control reads them as 64-bit fixed point with four
--   decimals.
-- * Relations are described in comments and are not declared as foreign keys: the control only
--   reads, and dangling references (a function without manager, a branch id that no longer exists)
--   are situations the control has to survive.
-- * Column names are chosen so that the control's statements, which often name columns without a
--   table (e.g. "Codice", "Anagrafica", "IDAnagrafica", "IDPianoDeiConti", "ElementoPDC", "TipoConto",
--   "Gestore"), never meet two candidate tables in one FROM clause. In particular Anagrafica has no
--   column Codice, only ContoPDC carries IDAnagrafica among the chart tables, only ElementoPDC
--   carries IDPianoDeiConti, ContoPerPDC has no Codifica, and the address tables have no Codice,
--   Anagrafica or Nome.

------------------------------------------------------------------------------------------------
-- Companies, offices, users, fiscal years
------------------------------------------------------------------------------------------------

CREATE TABLE Azienda (
    IDAzienda INTEGER PRIMARY KEY,
    Azienda TEXT COLLATE NOCASE NOT NULL -- company name
);

-- Branch offices of a company (IDFiliale of ContoAutomatico and of DirittoUtente).
CREATE TABLE Filiale (
    IDFiliale INTEGER PRIMARY KEY,
    IDAzienda INTEGER NOT NULL,
    Filiale TEXT COLLATE NOCASE NOT NULL
);

CREATE TABLE Utente (
    IDUtente INTEGER PRIMARY KEY,
    Utente TEXT COLLATE NOCASE NOT NULL -- login name
);

-- Fiscal years. Years are shared by all companies; the id is the calendar year (2026).
CREATE TABLE Esercizio (
    IDEsercizio INTEGER PRIMARY KEY,
    Esercizio TEXT NOT NULL,
    DataInizio TEXT NOT NULL, -- ISO date
    DataFine TEXT NOT NULL
);

-- Accounting periods of a fiscal year (e.g. the quarters of the VAT settlement).
CREATE TABLE PeriodoContabilizzazione (
    IDPeriodoContabilizzazione INTEGER PRIMARY KEY,
    IDEsercizio INTEGER NOT NULL,
    PeriodoContabilizzazione TEXT NOT NULL,
    DataInizio TEXT NOT NULL,
    DataFine TEXT NOT NULL
);
CREATE INDEX IX_PeriodoContabilizzazione_Esercizio ON PeriodoContabilizzazione (IDEsercizio);

------------------------------------------------------------------------------------------------
-- Places
------------------------------------------------------------------------------------------------

CREATE TABLE Nazione (
    IDNazione INTEGER PRIMARY KEY,
    Nazione TEXT COLLATE NOCASE NOT NULL,
    SiglaNazione TEXT -- ISO 3166 alpha-2
);

CREATE TABLE Provincia (
    IDProvincia INTEGER PRIMARY KEY,
    Provincia TEXT COLLATE NOCASE NOT NULL,
    SiglaProvincia TEXT -- two-letter car plate code
);

-- Towns. CAP is the town's main postal code; IDProvincia is Null for foreign towns.
CREATE TABLE Comune (
    IDComune INTEGER PRIMARY KEY,
    Comune TEXT COLLATE NOCASE NOT NULL,
    CAP TEXT,
    IDProvincia INTEGER
);
CREATE INDEX IX_Comune_Provincia ON Comune (IDProvincia);

------------------------------------------------------------------------------------------------
-- Registry: one Anagrafica row per person or firm, with a role row per company
------------------------------------------------------------------------------------------------

-- Registry entry. Anagrafica is the surname or company name, Nome the first name.
-- Cap is the entry's own postal code (customers show it; suppliers show the town's CAP).
CREATE TABLE Anagrafica (
    IDAnagrafica INTEGER PRIMARY KEY,
    Anagrafica TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,
    CodiceFiscale TEXT COLLATE NOCASE,
    PartitaIva TEXT COLLATE NOCASE,
    Indirizzo TEXT,
    Cap TEXT,
    IDComune INTEGER,
    IDNazione INTEGER,
    VirtualDelete INTEGER NOT NULL DEFAULT 0
);
-- Name prefix lookups always filter on VirtualDelete = 0; with VirtualDelete first the count of a
-- prefix is answered from this index alone.
CREATE INDEX IX_Anagrafica_VirtualDelete_Anagrafica ON Anagrafica (VirtualDelete, Anagrafica);

-- Customer role. Codes are not unique (a company may reuse them); IDPDCContabile is the
-- customer's account (ContoPDC.IDContoPDC). BloccoEmissioneDoc: Null or 0 = documents may be
-- issued, any other value = blocked.
CREATE TABLE Cliente (
    IDCliente INTEGER PRIMARY KEY,
    IDAnagrafica INTEGER NOT NULL,
    IDAzienda INTEGER NOT NULL,
    Codice TEXT COLLATE NOCASE,
    IDPDCContabile INTEGER,
    BloccoEmissioneDoc INTEGER,
    UNIQUE (IDAnagrafica, IDAzienda)
);
CREATE INDEX IX_Cliente_Azienda_Codice ON Cliente (IDAzienda, Codice);
CREATE INDEX IX_Cliente_Codice ON Cliente (Codice);

-- Supplier role.
CREATE TABLE Fornitore (
    IDFornitore INTEGER PRIMARY KEY,
    IDAnagrafica INTEGER NOT NULL,
    IDAzienda INTEGER NOT NULL,
    Codice TEXT COLLATE NOCASE,
    IDPDCContabile INTEGER,
    UNIQUE (IDAnagrafica, IDAzienda)
);
CREATE INDEX IX_Fornitore_Azienda_Codice ON Fornitore (IDAzienda, Codice);
CREATE INDEX IX_Fornitore_Codice ON Fornitore (Codice);

-- Kinds of agent: 1 agent, 2 clerk.
CREATE TABLE TipoAgente (
    IDTipoAgente INTEGER PRIMARY KEY,
    TipoAgente TEXT COLLATE NOCASE NOT NULL
);

-- Agent or clerk role. IDTipoAgente Null or 1 = agent, 2 = clerk. Enasarco is the agent's
-- pension fund registration number. Annullato <> 0 = agency contract cancelled.
CREATE TABLE Agente (
    IDAgente INTEGER PRIMARY KEY,
    IDAnagrafica INTEGER NOT NULL,
    IDAzienda INTEGER NOT NULL,
    Codice TEXT COLLATE NOCASE,
    Enasarco TEXT,
    IDTipoAgente INTEGER,
    Annullato INTEGER DEFAULT 0,
    UNIQUE (IDAnagrafica, IDAzienda)
);
CREATE INDEX IX_Agente_Azienda_Codice ON Agente (IDAzienda, Codice);
CREATE INDEX IX_Agente_Codice ON Agente (Codice);

-- Collaborator role.
CREATE TABLE Collaboratore (
    IDCollaboratore INTEGER PRIMARY KEY,
    IDAnagrafica INTEGER NOT NULL,
    IDAzienda INTEGER NOT NULL,
    Codice TEXT COLLATE NOCASE,
    UNIQUE (IDAnagrafica, IDAzienda)
);
CREATE INDEX IX_Collaboratore_Azienda_Codice ON Collaboratore (IDAzienda, Codice);
CREATE INDEX IX_Collaboratore_Codice ON Collaboratore (Codice);

-- Which agents earn commission on which customers (both sides are registry ids).
CREATE TABLE ProvvClienteAgente (
    IDProvvClienteAgente INTEGER PRIMARY KEY,
    IDAnagraficaCliente INTEGER NOT NULL,
    IDAnagraficaAgente INTEGER NOT NULL,
    PercentualeProvvigione NUMERIC,
    UNIQUE (IDAnagraficaCliente, IDAnagraficaAgente)
);
CREATE INDEX IX_ProvvClienteAgente_Agente_Cliente ON ProvvClienteAgente (IDAnagraficaAgente, IDAnagraficaCliente);

------------------------------------------------------------------------------------------------
-- Chart of accounts
------------------------------------------------------------------------------------------------

-- Account and branch types: 1 assets, 2 liabilities, 3 costs, 4 revenues, 5 opening/closing,
-- 6 customer accounts, 7 supplier accounts.
CREATE TABLE TipoConto (
    IDTipoConto INTEGER PRIMARY KEY,
    TipoConto TEXT COLLATE NOCASE NOT NULL
);

-- A chart of accounts, valid for one fiscal year. SeparatoreCodifica joins the code segments
-- of the levels into a full code ("." gives 01.05.001).
CREATE TABLE PianoDeiConti (
    IDPianoDeiConti INTEGER PRIMARY KEY,
    PianoDeiConti TEXT COLLATE NOCASE NOT NULL,
    IDAzienda INTEGER,
    IDEsercizio INTEGER,
    SeparatoreCodifica TEXT,
    VirtualDelete INTEGER NOT NULL DEFAULT 0
);

-- A branch of a chart. IDElementoPDCPadre is Null at a top-level branch. Codifica is the
-- branch's own code segment, CodificaCompleta the full code kept for display. ElementoTerminale
-- <> 0 marks a branch that holds accounts instead of sub-branches. CategoriaConto orders the top
-- level (1 assets, 2 liabilities, 3 costs, 4 revenues, 5 opening/closing).
CREATE TABLE ElementoPDC (
    IDElementoPDC INTEGER PRIMARY KEY,
    IDPianoDeiConti INTEGER NOT NULL,
    IDElementoPDCPadre INTEGER,
    Codifica TEXT COLLATE NOCASE,
    CodificaCompleta TEXT COLLATE NOCASE,
    ElementoPDC TEXT COLLATE NOCASE,
    ElementoTerminale INTEGER DEFAULT 0,
    CategoriaConto INTEGER,
    IDTipoConto INTEGER,
    VirtualDelete INTEGER NOT NULL DEFAULT 0
);
-- Segment lookups walk the tree: chart, parent (IS NULL at the top), code.
CREATE INDEX IX_ElementoPDC_PDC_Padre_Codifica ON ElementoPDC (IDPianoDeiConti, IDElementoPDCPadre, Codifica);
-- A first segment may match a branch at any level of the chart.
CREATE INDEX IX_ElementoPDC_PDC_Codifica ON ElementoPDC (IDPianoDeiConti, Codifica);
CREATE INDEX IX_ElementoPDC_Padre ON ElementoPDC (IDElementoPDCPadre);
CREATE INDEX IX_ElementoPDC_ElementoPDC ON ElementoPDC (ElementoPDC);

-- An account. IDAnagrafica links a customer's or supplier's own account to its registry entry
-- (Null for general accounts). CondizioneContabile is the expected balance side (0 any, 1 debit,
-- 2 credit).
CREATE TABLE ContoPDC (
    IDContoPDC INTEGER PRIMARY KEY,
    Codifica TEXT COLLATE NOCASE,
    ContoPDC TEXT COLLATE NOCASE,
    IDAnagrafica INTEGER,
    CategoriaConto INTEGER,
    CondizioneContabile INTEGER DEFAULT 0,
    IDTipoConto INTEGER,
    VirtualDelete INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_ContoPDC_Anagrafica ON ContoPDC (IDAnagrafica);
CREATE INDEX IX_ContoPDC_Codifica ON ContoPDC (Codifica);
CREATE INDEX IX_ContoPDC_ContoPDC ON ContoPDC (ContoPDC);

-- Places an account in a branch of a chart. CodificaCompleta is the account's full code there.
CREATE TABLE ContoPerPDC (
    IDContoPerPDC INTEGER PRIMARY KEY,
    IDElementoPDC INTEGER NOT NULL,
    IDContoPDC INTEGER NOT NULL,
    CodificaCompleta TEXT COLLATE NOCASE,
    VirtualDelete INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_ContoPerPDC_Elemento_Conto ON ContoPerPDC (IDElementoPDC, IDContoPDC);
CREATE INDEX IX_ContoPerPDC_Conto_Elemento ON ContoPerPDC (IDContoPDC, IDElementoPDC);

------------------------------------------------------------------------------------------------
-- Running totals per account
------------------------------------------------------------------------------------------------

CREATE TABLE ProgressivoContoEsercizio (
    IDProgressivoContoEsercizio INTEGER PRIMARY KEY,
    IDContoPDC INTEGER NOT NULL,
    IDEsercizio INTEGER NOT NULL,
    Dare NUMERIC DEFAULT 0,
    Avere NUMERIC DEFAULT 0,
    UNIQUE (IDContoPDC, IDEsercizio)
);

CREATE TABLE ProgressivoContoMese (
    IDProgressivoContoMese INTEGER PRIMARY KEY,
    IDContoPDC INTEGER NOT NULL,
    Anno INTEGER NOT NULL,
    Mese INTEGER NOT NULL, -- 1 to 12
    Dare NUMERIC DEFAULT 0,
    Avere NUMERIC DEFAULT 0,
    UNIQUE (IDContoPDC, Anno, Mese)
);

-- The period is stored once, in IDPeriodoContabilizzazione; IDPeriodo is the same value under
-- the second name by which totals over the whole chart select it. Being generated, it cannot
-- disagree and cannot be written: inserts name IDPeriodoContabilizzazione only.
CREATE TABLE ProgressivoContoPeriodo (
    IDProgressivoContoPeriodo INTEGER PRIMARY KEY,
    IDContoPDC INTEGER NOT NULL,
    IDPeriodoContabilizzazione INTEGER NOT NULL,
    Dare NUMERIC DEFAULT 0,
    Avere NUMERIC DEFAULT 0,
    IDPeriodo INTEGER GENERATED ALWAYS AS (IDPeriodoContabilizzazione) VIRTUAL,
    UNIQUE (IDContoPDC, IDPeriodoContabilizzazione)
);
CREATE INDEX IX_ProgressivoContoPeriodo_Conto_Periodo ON ProgressivoContoPeriodo (IDContoPDC, IDPeriodo);

------------------------------------------------------------------------------------------------
-- Automatic posting accounts: one row per company (IDFiliale Null or 0) or per company and
-- office; each ID column names the ContoPDC used for that posting role (Null = not configured).
------------------------------------------------------------------------------------------------

CREATE TABLE ContoAutomatico (
    IDContoAutomatico INTEGER PRIMARY KEY,
    IDAzienda INTEGER NOT NULL,
    IDFiliale INTEGER,
    IDContoCassa INTEGER,                 -- cash
    IDContoBanca INTEGER,                 -- main bank current account
    IDContoClienti INTEGER,               -- customers (sundry)
    IDContoFornitori INTEGER,             -- suppliers (sundry)
    IDContoIvaVendite INTEGER,            -- output VAT
    IDContoIvaAcquisti INTEGER,           -- input VAT
    IDContoErarioIva INTEGER,             -- VAT settlement with the tax office
    IDContoVendite INTEGER,               -- sales of goods
    IDContoAcquisti INTEGER,              -- purchases of goods
    IDContoArrotondamentiAttivi INTEGER,  -- rounding gains
    IDContoArrotondamentiPassivi INTEGER, -- rounding losses
    IDContoAbbuoniAttivi INTEGER,         -- discounts received
    IDContoAbbuoniPassivi INTEGER,        -- discounts granted
    IDContoSpeseIncasso INTEGER,          -- collection charges
    IDContoSpeseTrasporto INTEGER,        -- transport charges re-invoiced
    IDContoRitenuteAcconto INTEGER,       -- withholding tax to pay
    IDContoEffettiAttivi INTEGER          -- bills receivable in portfolio
);
CREATE INDEX IX_ContoAutomatico_Azienda_Filiale ON ContoAutomatico (IDAzienda, IDFiliale);

------------------------------------------------------------------------------------------------
-- Management programs and user rights
------------------------------------------------------------------------------------------------

-- A management program: Gestore is its executable's file name, Entita the entity it maintains.
CREATE TABLE Gestore (
    IDGestore INTEGER PRIMARY KEY,
    Gestore TEXT NOT NULL,
    Entita TEXT NOT NULL
);

-- Object types; each is maintained by one manager.
CREATE TABLE TipoOggetto (
    IDTipoOggetto INTEGER PRIMARY KEY,
    TipoOggetto TEXT COLLATE NOCASE NOT NULL,
    IDGestore INTEGER
);

-- Functions of the suite's menu; each works on one object type.
CREATE TABLE Funzione (
    IDFunzione INTEGER PRIMARY KEY,
    Funzione TEXT NOT NULL,
    IDTipoOggetto INTEGER
);

-- Right codes (33 = may run the maintenance program of an object type).
CREATE TABLE Diritto (
    IDDiritto INTEGER PRIMARY KEY,
    Diritto TEXT NOT NULL
);

-- Rights granted to a user on an object type in an office; IDFiliale 0 grants it in every office.
CREATE TABLE DirittoUtente (
    IDDirittoUtente INTEGER PRIMARY KEY,
    IDUtente INTEGER NOT NULL,
    IDFiliale INTEGER NOT NULL DEFAULT 0,
    IDTipoOggetto INTEGER NOT NULL,
    IDDiritto INTEGER NOT NULL,
    UNIQUE (IDUtente, IDTipoOggetto, IDDiritto, IDFiliale)
);
