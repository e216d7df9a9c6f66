// orv_generate_db: builds large company databases for the benchmarks.
//
//   orv_generate_db OUT.sqlite --customers N --accounts M [--schema schema.sql] [--seed S]
//
// Creates OUT (replacing an existing file) with the project's schema and fills it in one
// transaction: N customers of company 1 with varied Italian names, a share of suppliers, agents,
// clerks and collaborators, a few rows of company 2, and a chart of accounts of M accounts under
// five levels of branches with twelve months, four quarters and the year of running totals.
// Accounts take the ids 1 to M and branches the ids after them, so that no id names both, as
// when both are drawn from one sequence.
// The data are a pure function of the arguments and the seed.

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifndef ORV_SCHEMA_SQL
#define ORV_SCHEMA_SQL "schema/schema.sql"
#endif

namespace {

// ---------------------------------------------------------------------------------------------
// Word lists

constexpr std::array kSurnames = {
    "Rossi",      "Russo",      "Ferrari",    "Esposito",   "Bianchi",   "Romano",     "Colombo",
    "Ricci",      "Marino",     "Greco",      "Bruno",      "Gallo",     "Conti",      "Costa",
    "Giordano",   "Mancini",    "Rizzo",      "Lombardi",   "Moretti",   "Barbieri",   "Fontana",
    "Santoro",    "Mariani",    "Rinaldi",    "Caruso",     "Ferrara",   "Galli",      "Martini",
    "Leone",      "Longo",      "Gentile",    "Martinelli", "Vitale",    "Lombardo",   "Serra",
    "Coppola",    "Villa",      "Marchetti",  "Parisi",     "Conte",     "Ferri",      "Fabbri",
    "Bianco",     "Marini",     "Grasso",     "Valentini",  "Messina",   "Sala",       "Gatti",
    "Pellegrini", "Palumbo",    "Sanna",      "Farina",     "Rizzi",     "Monti",      "Cattaneo",
    "Morelli",    "Amato",      "Silvestri",  "Mazza",      "Testa",     "Grassi",     "Pellegrino",
    "Carbone",    "Giuliani",   "Benedetti",  "Barone",     "Rossetti",  "Caputo",     "Montanari",
    "Guerra",     "Palmieri",   "Bernardi",   "Martino",    "Fiore",     "Ferraro",    "Ruggiero",
    "Bassi",      "Sorrentino", "Orlando",    "Pace",       "Neri",      "Negri",      "Piras",
    "Sartori",    "Riva",       "Donati",     "Basile",     "Bellini",   "Fumagalli",  "Brambilla",
    "Zanetti",    "Colombini",  "Baldini",    "Bertolini",  "Zanella",   "Pagano",     "Ventura",
    "Cirillo",    "Olivieri",   "Marchi",     "Cristiani",  "Bonetti",   "Tedesco",    "Pagani",
    "Vitali",     "Marras",     "Melis",      "Cocco",      "Mura",      "Fadda",      "Ghidini",
    "Zanardi",    "Righi",      "Bertoni",    "Cavalli",    "Castelli",  "Porcu",      "Milani",
    "Ferretti",   "Gualtieri",  "Tosi",       "Carli",      "Zani",      "Boschi",     "Guidi",
    "Bellucci",   "Lorenzini",  "Fiorentini", "Sartini",    "Belli",     "Masini",     "Bonomi",
    "Zucchi",     "Frigerio",   "Valli",      "Mazzoni",    "Rota",      "Galbiati",   "Crippa",
    "Brivio",     "Invernizzi", "Mauri",      "Locatelli",  "Magni",     "Sironi",     "Longhi",
    "Vergani",    "Arrigoni",   "Pozzi",      "Ravasi",     "Beretta",   "Agostini",   "Amadori",
    "Angeli",     "Bacci",      "Balestri",   "Bandini",    "Baroni",    "Battaglia",  "Bellotti",
    "Berti",      "Bettini",    "Bianconi",   "Bigi",       "Bini",      "Bondi",      "Borghi",
    "Bortolotti", "Bovi",       "Calzolari",  "Campana",    "Canali",    "Capelli",    "Cappelli",
    "Casadei",    "Casali",     "Cassani",    "Cavallari",  "Cecchi",    "Ceccarelli", "Cenci",
    "Chiesa",     "Corsi",      "Dallari",    "Dondi",      "Fabbrini",  "Facchini",   "Fanti",
    "Felici",     "Ferrini",    "Forni",      "Franchi",    "Gamberini", "Gardini",    "Ghelfi",
    "Ghini",      "Giacomelli", "Golinelli",  "Grandi",     "Guerrini",  "Landi",      "Lanzoni",
    "Lelli",      "Lenzi",      "Lodi",       "Lolli",      "Lugli",     "Magnani",    "Malaguti",
    "Manzini",    "Marzocchi",  "Mattioli",   "Melotti",    "Minelli",   "Montesi",    "Muratori",
    "Nanni",      "Nardi",      "Orsi",       "Pasini",     "Pasquali",  "Pedrazzi",   "Pignatti",
    "Poggi",      "Pollini",    "Ragazzi",    "Ricciardi",  "Roncaglia", "Rubini",     "Salvi",
    "Scaglioni",  "Simoni",     "Soavi",      "Spada",      "Stanzani",  "Tarozzi",    "Tinti",
    "Tonelli",    "Tugnoli",    "Vaccari",    "Venturi",    "Verri",     "Vignoli",    "Zaccaria",
    "Zagni",      "Zambelli",   "Zanotti",
};
// Particles that open a surname, and the vowel-initial surnames that take an elided particle.
constexpr std::array kParticles = {"De ", "Di ", "Lo ", "La ", "Dalla ", "Del "};
constexpr std::array kElidedParticles = {"D'", "Dell'"};
constexpr std::array kVowelSurnames = {"Amico", "Angelo", "Agostino", "Alessandro", "Onofrio", "Urso",
                                       "Anna",  "Eramo",  "Oria",     "Ambrosio",   "Orto",    "Acqua"};
constexpr std::array kFirstNames = {
    "Mario",    "Giuseppe", "Giovanni", "Antonio",   "Luca",     "Marco",      "Francesco", "Alessandro",
    "Andrea",   "Stefano",  "Paolo",    "Roberto",   "Davide",   "Matteo",     "Simone",    "Claudio",
    "Sergio",   "Franco",   "Carlo",    "Giorgio",   "Alberto",  "Massimo",    "Fabio",     "Enrico",
    "Maria",    "Anna",     "Giulia",   "Francesca", "Laura",    "Elena",      "Paola",     "Sara",
    "Chiara",   "Silvia",   "Marta",    "Valentina", "Federica", "Alessandra", "Elisa",     "Roberta",
    "Cristina", "Monica",   "Barbara",  "Daniela",   "Giovanna", "Lucia",      "Teresa",    "Rosa",
};
constexpr std::array kActivities = {
    "Trasporti",  "Costruzioni", "Impianti",       "Edilizia",     "Elettronica", "Arredamenti",
    "Forniture",  "Meccanica",   "Idraulica",      "Carpenteria",  "Serramenti",  "Ceramiche",
    "Alimentari", "Tipografia",  "Autoricambi",    "Ferramenta",   "Utensileria", "Termoidraulica",
    "Logistica",  "Informatica", "Servizi",        "Verniciature", "Stampi",      "Minuterie",
    "Plastiche",  "Tessile",     "Calzaturificio", "Officine",
};
constexpr std::array kLegalForms = {"S.r.l.", "S.p.A.", "S.n.c.", "S.a.s.", "S.r.l.s.", "& C."};
constexpr std::array kStreets = {
    "Via Roma",      "Via Emilia",           "Via Garibaldi",      "Via Mazzini",    "Corso Italia",
    "Via Verdi",     "Viale Europa",         "Via Dante",          "Via Marconi",    "Via Cavour",
    "Via Matteotti", "Piazza della Libertà", "Via dell'Industria", "Via del Lavoro", "Via Gramsci",
    "Via Kennedy",   "Via Repubblica",       "Via San Vitale",
};

struct Town {
    const char *name;
    const char *cap;
    int province; // 0: foreign town, no province
    int nation;
};
constexpr std::array<const char *, 9> kProvinces = {"Bologna", "Modena", "Reggio Emilia", "Milano", "Roma",
                                                    "Napoli",  "Torino", "Firenze",       "Ferrara"};
constexpr std::array<const char *, 9> kProvinceCodes = {"BO", "MO", "RE", "MI", "RM", "NA", "TO", "FI", "FE"};
constexpr std::array<Town, 16> kTowns = {{
    {"Bologna", "40121", 1, 1},
    {"Casalecchio di Reno", "40033", 1, 1},
    {"Imola", "40026", 1, 1},
    {"San Lazzaro di Savena", "40068", 1, 1},
    {"Modena", "41121", 2, 1},
    {"Sassuolo", "41049", 2, 1},
    {"Carpi", "41012", 2, 1},
    {"Reggio nell'Emilia", "42121", 3, 1},
    {"Milano", "20121", 4, 1},
    {"Roma", "00184", 5, 1},
    {"Napoli", "80133", 6, 1},
    {"Torino", "10121", 7, 1},
    {"Firenze", "50122", 8, 1},
    {"Ferrara", "44121", 9, 1},
    {"Lugano", "6900", 0, 2},
    {"Monaco di Baviera", "80331", 0, 3},
}};

// Names of the branches of the chart, per top-level category, and of the general accounts.
struct Category {
    const char *code;
    const char *name;
    int type; // TipoConto
    std::array<const char *, 8> branches;
    std::array<const char *, 12> accountNouns;
};
const std::array<Category, 4> kCategories = {{
    {"01",
     "ATTIVITA'",
     1,
     {"Immobilizzazioni", "Partecipazioni", "Rimanenze", "Crediti diversi", "Disponibilità liquide",
      "Ratei e risconti attivi", "Crediti tributari", "Titoli"},
     {"Fabbricati", "Impianti", "Macchinari", "Attrezzature", "Automezzi", "Mobili", "Software", "Depositi",
      "Cassa", "Banca", "Crediti", "Anticipi"}},
    {"02",
     "PASSIVITA'",
     2,
     {"Patrimonio netto", "Fondi rischi", "Fondi ammortamento", "Debiti diversi", "Debiti tributari",
      "Debiti verso banche", "Ratei e risconti passivi", "Trattamento di fine rapporto"},
     {"Capitale", "Riserva", "Fondo", "Debiti", "Mutuo", "Finanziamento", "Erario", "Ritenute", "Contributi",
      "Anticipi", "Cauzioni", "Utile"}},
    {"03",
     "COSTI",
     3,
     {"Acquisti", "Servizi", "Personale", "Ammortamenti", "Godimento beni di terzi", "Oneri diversi",
      "Oneri finanziari", "Imposte"},
     {"Spese", "Costi", "Acquisti", "Canoni", "Compensi", "Oneri", "Manutenzioni", "Consulenze", "Trasporti",
      "Carburanti", "Assicurazioni", "Provvigioni"}},
    {"04",
     "RICAVI",
     4,
     {"Vendite", "Prestazioni", "Proventi diversi", "Proventi finanziari", "Contributi", "Rimborsi",
      "Plusvalenze", "Sopravvenienze"},
     {"Vendite", "Ricavi", "Prestazioni", "Proventi", "Interessi", "Rimborsi", "Abbuoni", "Arrotondamenti",
      "Noleggi", "Commissioni", "Contributi", "Royalties"}},
}};
constexpr std::array kQualifiers = {
    "amministrative", "commerciali", "di produzione",    "per il personale", "varie",        "bancarie",
    "postali",        "telefoniche", "di pubblicità",    "legali",           "di magazzino", "di trasporto",
    "Italia",         "estero",      "intracomunitarie", "diverse",          "ordinarie",    "straordinarie",
};
constexpr std::array kAreas = {"Nord",    "Centro",    "Sud",    "Isole",         "Emilia",
                               "Romagna", "Lombardia", "Veneto", "Toscana",       "Piemonte",
                               "Lazio",   "Campania",  "Estero", "Grandi clienti"};

// ---------------------------------------------------------------------------------------------
// Deterministic pseudo-random numbers (the same sequence on every platform)

std::uint64_t mix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() { return mix(m_state++); }
    // A number in [0, n).
    std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : next() % n; }
    bool percent(unsigned p) { return below(100) < p; }
    template <typename Array> auto pick(const Array &a) { return a[below(a.size())]; }

private:
    std::uint64_t m_state;
};

// ---------------------------------------------------------------------------------------------
// SQLite helpers

class Database {
public:
    explicit Database(const std::string &path)
    {
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK) {
            const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
            sqlite3_close(m_db);
            throw std::runtime_error("cannot open " + path + ": " + message);
        }
    }
    ~Database() { sqlite3_close(m_db); }
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    void exec(const std::string &sql)
    {
        char *error = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : sqlite3_errmsg(m_db);
            sqlite3_free(error);
            throw std::runtime_error(message);
        }
    }
    std::int64_t scalar(const std::string &sql);
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};

// A prepared INSERT: bind the values of one row in column order, then insert().
class Insert {
public:
    Insert(Database &db, const std::string &sql) : m_db(db.handle())
    {
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    }
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert(const Insert &) = delete;
    Insert &operator=(const Insert &) = delete;

    Insert &integer(std::int64_t value)
    {
        check(sqlite3_bind_int64(m_stmt, ++m_column, value));
        return *this;
    }
    Insert &real(double value)
    {
        check(sqlite3_bind_double(m_stmt, ++m_column, value));
        return *this;
    }
    // The text must stay alive until insert() returns.
    Insert &text(std::string_view value)
    {
        check(sqlite3_bind_text(m_stmt, ++m_column, value.data(), static_cast<int>(value.size()), nullptr));
        return *this;
    }
    Insert &null()
    {
        check(sqlite3_bind_null(m_stmt, ++m_column));
        return *this;
    }
    Insert &idOrNull(std::int64_t value) { return value > 0 ? integer(value) : null(); }
    void insert()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        sqlite3_reset(m_stmt);
        m_column = 0;
        ++m_rows;
    }
    std::int64_t rows() const { return m_rows; }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(m_db));
    }
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    int m_column = 0;
    std::int64_t m_rows = 0;
};

std::int64_t Database::scalar(const std::string &sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    std::int64_t value = 0;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

// ---------------------------------------------------------------------------------------------
// Generated values

std::string padded(std::int64_t number, int width)
{
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

// A role code such as C0000042: the prefix and the number padded with zeros.
std::string roleCode(std::string_view prefix, std::int64_t number, int width)
{
    std::string code(prefix);
    code.append(padded(number, width));
    return code;
}

std::string surname(Random &random)
{
    if (random.percent(4)) { // D'Amico, Dell'Orto
        const std::string particle = random.pick(kElidedParticles);
        return particle + random.pick(kVowelSurnames);
    }
    std::string name = random.pick(kSurnames);
    if (random.percent(8)) {
        const std::string particle = random.pick(kParticles);
        name = particle + name;
    }
    return name;
}

// A registry entry: a person (surname and first name) or a firm (company name, no first name).
struct Person {
    std::string anagrafica;
    std::string nome;
    std::string codiceFiscale;
    std::string partitaIva;
    bool firm = false;

    std::string displayName() const { return nome.empty() ? anagrafica : anagrafica + " " + nome; }
};

std::string letters(Random &random, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += static_cast<char>('A' + random.below(26));
    return s;
}

std::string digits(Random &random, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += static_cast<char>('0' + random.below(10));
    return s;
}

// The registry entry with the given number: a function of the seed and the number alone, so that a
// customer's own account can be named after the customer without keeping the customers around.
Person person(std::uint64_t seed, std::int64_t number, unsigned firmPercent)
{
    Random random(mix(seed ^ mix(static_cast<std::uint64_t>(number))));
    Person p;
    p.firm = random.percent(firmPercent);
    if (p.firm) {
        // Each draw is a statement of its own: the operands of + have no fixed order of evaluation.
        const std::string form = random.pick(kLegalForms);
        const bool surnameFirst = random.percent(50);
        const std::string family = surname(random);
        const std::string activity = random.pick(kActivities);
        p.anagrafica =
            surnameFirst ? family + " " + activity + " " + form : activity + " " + family + " " + form;
        p.partitaIva = digits(random, 11);
        p.codiceFiscale = p.partitaIva;
    } else {
        p.anagrafica = surname(random);
        p.nome = random.pick(kFirstNames);
        // Shaped like a tax code: six letters, two digits, a letter, two digits, a letter, three
        // digits, a check letter.
        for (const auto &[isLetter, count] :
             {std::pair{true, 6}, {false, 2}, {true, 1}, {false, 2}, {true, 1}, {false, 3}, {true, 1}})
            p.codiceFiscale += isLetter ? letters(random, count) : digits(random, count);
    }
    return p;
}

// ---------------------------------------------------------------------------------------------
// Options

struct Options {
    std::string output;
    std::string schema = ORV_SCHEMA_SQL;
    std::int64_t customers = -1;
    std::int64_t accounts = -1;
    std::uint64_t seed = 2026;
};

[[noreturn]] void usage(const std::string &problem)
{
    if (!problem.empty())
        std::cerr << "orv_generate_db: " << problem << "\n";
    std::cerr
        << "usage: orv_generate_db OUT.sqlite --customers N --accounts M [--schema schema.sql] [--seed S]\n";
    std::exit(2);
}

std::int64_t parseCount(const std::string &name, const char *value)
{
    char *end = nullptr;
    const long long n = std::strtoll(value, &end, 10);
    if (*value == '\0' || *end != '\0' || n < 0 || n > 100'000'000)
        usage(name + " wants a whole number from 0 to 100000000, not '" + value + "'");
    return n;
}

Options parse(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> const char * {
            if (i + 1 >= argc)
                usage(arg + " wants a value");
            return argv[++i];
        };
        if (arg == "--customers")
            options.customers = parseCount(arg, value());
        else if (arg == "--accounts")
            options.accounts = parseCount(arg, value());
        else if (arg == "--schema")
            options.schema = value();
        else if (arg == "--seed")
            options.seed = static_cast<std::uint64_t>(parseCount(arg, value()));
        else if (arg == "-h" || arg == "--help")
            usage("");
        else if (!arg.empty() && arg[0] == '-')
            usage("unknown option " + arg);
        else if (options.output.empty())
            options.output = arg;
        else
            usage("more than one output file");
    }
    if (options.output.empty())
        usage("no output file");
    if (options.customers < 0 || options.accounts < 0)
        usage("--customers and --accounts are required");
    return options;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read the schema " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// ---------------------------------------------------------------------------------------------
// The generator

constexpr std::int64_t kCompany = 1;
constexpr std::int64_t kOtherCompany = 2;
constexpr std::int64_t kChart = 1;
constexpr std::int64_t kYear = 2026;
constexpr std::int64_t kFirstQuarterPeriod = 5; // periods 5-8 are the quarters of 2026
constexpr std::int64_t kAccountsPerBranch = 100;
constexpr int kLevels = 5; // levels of branches; accounts hang below the fifth

class Generator {
public:
    Generator(Database &db, const Options &options, std::string schema)
        : m_db(db), m_options(options), m_schema(std::move(schema)), m_random(options.seed),
          m_suppliers(std::max<std::int64_t>(10, options.customers / 100)),
          m_agents(std::max<std::int64_t>(5, options.customers / 5000)),
          m_clerks(std::max<std::int64_t>(2, m_agents / 5)),
          m_collaborators(std::max<std::int64_t>(3, options.customers / 1000))
    {}

    void run();

private:
    struct Pool {
        std::int64_t count = 0; // accounts still to place
        int accountType = 0;    // TipoConto of the accounts
        int category = 0;       // index into kCategories
        enum Kind { General, Customers, Suppliers } kind = General;
        std::int64_t next = 0; // running number of the next customer or supplier account
    };

    void referenceData();
    void registry();
    void roles();
    void chart();
    void branch(std::int64_t parent, int level, const std::string &parentCode, const std::string &code,
                const std::string &name, Pool &pool, std::int64_t accounts, int branchType);
    void account(std::int64_t branchId, const std::string &branchCode, int position, Pool &pool);
    void totals(std::int64_t accountId);
    void automaticAccounts();
    std::int64_t addEntry(const Person &p, bool deleted);

    Database &m_db;
    const Options &m_options;
    const std::string m_schema; // the DDL text
    Random m_random;

    const std::int64_t m_suppliers;
    const std::int64_t m_agents;
    const std::int64_t m_clerks;
    const std::int64_t m_collaborators;
    std::int64_t m_customerAccounts = 0;
    std::int64_t m_supplierAccounts = 0;
    std::int64_t m_nextEntry = 1;
    std::int64_t m_firstSupplierEntry = 0;
    // Branches are numbered after the last account (see chart()): the field first looks a branch's id
    // up among the accounts, so no account may have it.
    std::int64_t m_nextBranch = 0;
    std::int64_t m_nextAccount = 1;
    std::int64_t m_sundryCustomers = 0; // "Clienti diversi": the account of customers without their own
    std::int64_t m_sundrySuppliers = 0;
    std::vector<std::int64_t> m_agentEntries;
    std::vector<std::int64_t> m_ownAccount; // by registry entry: the customer's or supplier's own account

    std::unique_ptr<Insert> m_anagrafica, m_branch, m_account, m_link, m_month, m_year, m_period;
};

std::int64_t Generator::addEntry(const Person &p, bool deleted)
{
    const Town &town = kTowns[m_random.below(kTowns.size())];
    const std::int64_t townId = static_cast<std::int64_t>(&town - kTowns.data()) + 1;
    std::string address = m_random.pick(kStreets);
    address += " " + std::to_string(1 + m_random.below(250));
    const std::int64_t id = m_nextEntry++;
    m_anagrafica->integer(id).text(p.anagrafica);
    if (p.nome.empty())
        m_anagrafica->null();
    else
        m_anagrafica->text(p.nome);
    m_anagrafica->text(p.codiceFiscale);
    if (p.partitaIva.empty())
        m_anagrafica->null();
    else
        m_anagrafica->text(p.partitaIva);
    m_anagrafica->text(address).text(town.cap).integer(townId).integer(town.nation).integer(deleted ? 1 : 0);
    m_anagrafica->insert();
    return id;
}

void Generator::referenceData()
{
    m_db.exec(R"(
INSERT INTO Azienda (IDAzienda, Azienda) VALUES (1, 'Ferramenta Rossetti S.r.l.'), (2, 'Studio Grafico Bellini S.n.c.');
INSERT INTO Filiale (IDFiliale, IDAzienda, Filiale) VALUES (1, 1, 'Sede di Bologna'), (2, 1, 'Filiale di Modena'), (3, 2, 'Sede di Milano');
INSERT INTO Utente (IDUtente, Utente) VALUES (1, 'admin');
INSERT INTO Esercizio (IDEsercizio, Esercizio, DataInizio, DataFine) VALUES
    (2025, '2025', '2025-01-01', '2025-12-31'), (2026, '2026', '2026-01-01', '2026-12-31');
INSERT INTO PeriodoContabilizzazione (IDPeriodoContabilizzazione, IDEsercizio, PeriodoContabilizzazione, DataInizio, DataFine) VALUES
    (1, 2025, '1° trimestre 2025', '2025-01-01', '2025-03-31'), (2, 2025, '2° trimestre 2025', '2025-04-01', '2025-06-30'),
    (3, 2025, '3° trimestre 2025', '2025-07-01', '2025-09-30'), (4, 2025, '4° trimestre 2025', '2025-10-01', '2025-12-31'),
    (5, 2026, '1° trimestre 2026', '2026-01-01', '2026-03-31'), (6, 2026, '2° trimestre 2026', '2026-04-01', '2026-06-30'),
    (7, 2026, '3° trimestre 2026', '2026-07-01', '2026-09-30'), (8, 2026, '4° trimestre 2026', '2026-10-01', '2026-12-31');
INSERT INTO Nazione (IDNazione, Nazione, SiglaNazione) VALUES (1, 'Italia', 'IT'), (2, 'Svizzera', 'CH'), (3, 'Germania', 'DE');
INSERT INTO TipoAgente (IDTipoAgente, TipoAgente) VALUES (1, 'Agente'), (2, 'Impiegato');
INSERT INTO TipoConto (IDTipoConto, TipoConto) VALUES (1, 'Attività'), (2, 'Passività'), (3, 'Costi'), (4, 'Ricavi'),
    (5, 'Apertura e chiusura'), (6, 'Clienti'), (7, 'Fornitori');
INSERT INTO Gestore (IDGestore, Gestore, Entita) VALUES (1, 'orvgest-clienti', 'Cliente'), (2, 'orvgest-fornitori', 'Fornitore'),
    (3, 'orvgest-agenti', 'Agente'), (5, 'orvgest-pianoconti', 'PianoDeiConti'), (28, 'orvgest-anagrafiche', 'Anagrafica');
INSERT INTO TipoOggetto (IDTipoOggetto, TipoOggetto, IDGestore) VALUES (1, 'Clienti', 1), (2, 'Fornitori', 2), (3, 'Agenti', 3),
    (5, 'Piano dei conti', 5), (6, 'Anagrafiche', 28);
INSERT INTO Funzione (IDFunzione, Funzione, IDTipoOggetto) VALUES (5, 'Piano dei conti', 5), (29, 'Anagrafiche', 6),
    (30, 'Clienti', 1), (31, 'Fornitori', 2), (32, 'Agenti', 3);
INSERT INTO Diritto (IDDiritto, Diritto) VALUES (33, 'Esecuzione manutenzione');
INSERT INTO DirittoUtente (IDUtente, IDFiliale, IDTipoOggetto, IDDiritto) VALUES (1, 0, 1, 33), (1, 0, 2, 33), (1, 0, 3, 33),
    (1, 0, 5, 33), (1, 0, 6, 33);
INSERT INTO PianoDeiConti (IDPianoDeiConti, PianoDeiConti, IDAzienda, IDEsercizio, SeparatoreCodifica)
    VALUES (1, 'Piano dei conti 2026', 1, 2026, '.');
)");
    Insert province(m_db, "INSERT INTO Provincia (IDProvincia, Provincia, SiglaProvincia) VALUES (?, ?, ?)");
    for (std::size_t i = 0; i < kProvinces.size(); ++i)
        province.integer(static_cast<std::int64_t>(i) + 1)
            .text(kProvinces[i])
            .text(kProvinceCodes[i])
            .insert();
    Insert town(m_db, "INSERT INTO Comune (IDComune, Comune, CAP, IDProvincia) VALUES (?, ?, ?, ?)");
    for (std::size_t i = 0; i < kTowns.size(); ++i)
        town.integer(static_cast<std::int64_t>(i) + 1)
            .text(kTowns[i].name)
            .text(kTowns[i].cap)
            .idOrNull(kTowns[i].province)
            .insert();
}

void Generator::chart()
{
    // Two accounts go to the sundry customers and suppliers, half of the rest at most to the
    // customers' own accounts, a tenth of what remains at most to the suppliers'; the others are
    // general ledger accounts spread over the four categories.
    const std::int64_t sundries = m_options.accounts >= 2 ? 2 : 0;
    const std::int64_t n = m_options.accounts - sundries;
    m_customerAccounts = std::min(m_options.customers, n / 2);
    m_supplierAccounts = std::min(m_suppliers, (n - m_customerAccounts) / 10);
    const std::int64_t general = n - m_customerAccounts - m_supplierAccounts;
    m_ownAccount.assign(static_cast<std::size_t>(m_nextEntry), 0);
    m_nextBranch = m_options.accounts + 1;

    for (std::size_t c = 0; c < kCategories.size(); ++c) {
        const Category &category = kCategories[c];
        const std::int64_t id = m_nextBranch++;
        m_branch->integer(id)
            .integer(kChart)
            .null()
            .text(category.code)
            .text(category.code)
            .text(category.name)
            .integer(0)
            .integer(static_cast<std::int64_t>(c) + 1)
            .integer(category.type)
            .insert();

        // The general accounts of this category.
        Pool pool;
        pool.count = general / 4 + (static_cast<std::int64_t>(c) < general % 4 ? 1 : 0);
        pool.accountType = category.type;
        pool.category = static_cast<int>(c);
        int firstCode = 1;
        if (c == 0 || c == 1) {
            // Customers under ATTIVITA', suppliers under PASSIVITA', in a branch of their own type.
            Pool own;
            own.kind = c == 0 ? Pool::Customers : Pool::Suppliers;
            own.count = c == 0 ? m_customerAccounts : m_supplierAccounts;
            own.accountType = c == 0 ? 6 : 7;
            own.category = static_cast<int>(c);
            own.count += sundries / 2; // the sundry account, last in the branch
            branch(id, 2, category.code, "01", c == 0 ? "Crediti verso clienti" : "Debiti verso fornitori",
                   own, own.count, own.accountType);
            firstCode = 2;
        }
        // Children of the category, each a subtree reaching the fifth level.
        const std::int64_t terminals =
            std::max<std::int64_t>(1, (pool.count + kAccountsPerBranch - 1) / kAccountsPerBranch);
        const auto fan = std::clamp<std::int64_t>(
            static_cast<std::int64_t>(
                std::ceil(std::pow(static_cast<double>(terminals), 1.0 / (kLevels - 1)) - 1e-9)),
            1, 8);
        const std::int64_t total = pool.count;
        for (std::int64_t k = 0; k < fan; ++k) {
            const std::int64_t share = total / fan + (k < total % fan ? 1 : 0);
            branch(id, 2, category.code, padded(firstCode + k, 2),
                   category.branches[static_cast<std::size_t>(k)], pool, share, category.type);
        }
    }
    if (m_nextAccount != m_options.accounts + 1)
        throw std::logic_error("the chart holds " + std::to_string(m_nextAccount - 1) + " accounts, not " +
                               std::to_string(m_options.accounts) + ": branch ids would meet account ids");
}

// Adds a branch at `level` holding `accounts` accounts in its subtree; the fifth level holds the
// accounts themselves.
void Generator::branch(std::int64_t parent, int level, const std::string &parentCode, const std::string &code,
                       const std::string &name, Pool &pool, std::int64_t accounts, int branchType)
{
    const std::int64_t id = m_nextBranch++;
    const std::string full = parentCode + "." + code;
    const bool terminal = level == kLevels;
    m_branch->integer(id)
        .integer(kChart)
        .integer(parent)
        .text(code)
        .text(full)
        .text(name)
        .integer(terminal ? 1 : 0)
        .integer(pool.category + 1)
        .integer(branchType)
        .insert();
    if (terminal) {
        for (std::int64_t i = 0; i < accounts; ++i)
            account(id, full, static_cast<int>(i) + 1, pool);
        return;
    }
    const int remaining = kLevels - level; // levels still below this one
    const std::int64_t terminals =
        std::max<std::int64_t>(1, (accounts + kAccountsPerBranch - 1) / kAccountsPerBranch);
    const auto fan =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(std::ceil(
                                     std::pow(static_cast<double>(terminals), 1.0 / remaining) - 1e-9)),
                                 1, 99);
    for (std::int64_t k = 0; k < fan; ++k) {
        const std::int64_t share = accounts / fan + (k < accounts % fan ? 1 : 0);
        std::string childName;
        if (pool.kind == Pool::General)
            childName = name.substr(0, name.find(" - ")) + " - " +
                        kQualifiers[static_cast<std::size_t>((k + level * 7) % kQualifiers.size())];
        else
            childName = std::string(pool.kind == Pool::Customers ? "Clienti " : "Fornitori ") +
                        kAreas[static_cast<std::size_t>((k + level * 3) % kAreas.size())] + " " + full + "." +
                        padded(k + 1, 2);
        branch(id, level + 1, full, padded(k + 1, 2), childName, pool, share, branchType);
    }
}

void Generator::account(std::int64_t branchId, const std::string &branchCode, int position, Pool &pool)
{
    const std::int64_t id = m_nextAccount++;
    const std::string code = padded(position, 3);
    std::string name;
    std::int64_t entry = 0;
    if (pool.kind == Pool::General) {
        const Category &category = kCategories[static_cast<std::size_t>(pool.category)];
        name = m_random.pick(category.accountNouns);
        name += " ";
        name += m_random.pick(kQualifiers);
        name += " " + std::to_string(id);
    } else if (pool.next < (pool.kind == Pool::Customers ? m_customerAccounts : m_supplierAccounts)) {
        // The own account of customer or supplier number pool.next.
        entry = (pool.kind == Pool::Customers ? 1 : m_firstSupplierEntry) + pool.next;
        name = person(m_options.seed, entry, pool.kind == Pool::Customers ? 30 : 90).displayName();
        m_ownAccount[static_cast<std::size_t>(entry)] = id;
        ++pool.next;
    } else {
        name = pool.kind == Pool::Customers ? "Clienti diversi" : "Fornitori diversi";
        (pool.kind == Pool::Customers ? m_sundryCustomers : m_sundrySuppliers) = id;
    }
    const int side = pool.accountType == 2 || pool.accountType == 4 || pool.accountType == 7 ? 2 : 1;
    m_account->integer(id)
        .text(code)
        .text(name)
        .idOrNull(entry)
        .integer(pool.category + 1)
        .integer(side)
        .integer(pool.accountType)
        .insert();
    const std::string full = branchCode + "." + code;
    m_link->integer(id).integer(branchId).integer(id).text(full).insert();
    totals(id);
}

// Twelve months of 2026, the four quarters and the year, in multiples of 0.25 so that the sums
// are exact in binary floating point.
void Generator::totals(std::int64_t accountId)
{
    const std::int64_t scale = 1 + static_cast<std::int64_t>(m_random.below(4000)); // quarters of a euro
    std::int64_t yearDare = 0, yearAvere = 0, quarterDare = 0, quarterAvere = 0;
    for (int month = 1; month <= 12; ++month) {
        const std::int64_t dare =
            static_cast<std::int64_t>(m_random.below(static_cast<std::uint64_t>(scale) * 40));
        const std::int64_t avere =
            static_cast<std::int64_t>(m_random.below(static_cast<std::uint64_t>(scale) * 40));
        m_month->integer(accountId)
            .integer(kYear)
            .integer(month)
            .real(static_cast<double>(dare) / 4.0)
            .real(static_cast<double>(avere) / 4.0)
            .insert();
        yearDare += dare;
        yearAvere += avere;
        quarterDare += dare;
        quarterAvere += avere;
        if (month % 3 == 0) {
            m_period->integer(accountId)
                .integer(kFirstQuarterPeriod + month / 3 - 1)
                .real(static_cast<double>(quarterDare) / 4.0)
                .real(static_cast<double>(quarterAvere) / 4.0)
                .insert();
            quarterDare = quarterAvere = 0;
        }
    }
    m_year->integer(accountId)
        .integer(kYear)
        .real(static_cast<double>(yearDare) / 4.0)
        .real(static_cast<double>(yearAvere) / 4.0)
        .insert();
}

void Generator::registry()
{
    // Registry entries in blocks: customers 1..N (1 % of them deleted), then suppliers, agents,
    // clerks and collaborators. The own accounts of customers and suppliers are named after their
    // entries (see account()).
    for (std::int64_t i = 0; i < m_options.customers; ++i)
        addEntry(person(m_options.seed, m_nextEntry, 30), m_random.percent(1));
    m_firstSupplierEntry = m_nextEntry;
    for (std::int64_t i = 0; i < m_suppliers; ++i)
        addEntry(person(m_options.seed, m_nextEntry, 90), false);
    for (std::int64_t i = 0; i < m_agents + m_clerks + m_collaborators; ++i)
        addEntry(person(m_options.seed, m_nextEntry, 0), false);
}

void Generator::automaticAccounts()
{
    // The company-wide row names the sundry accounts and the first accounts of the assets and costs
    // categories; the Modena office has its own cash account only.
    Insert row(
        m_db,
        "INSERT INTO ContoAutomatico (IDAzienda, IDFiliale, IDContoCassa, IDContoClienti, IDContoFornitori) "
        "VALUES (?, ?, ?, ?, ?)");
    const std::int64_t last = m_nextAccount - 1;
    row.integer(kCompany)
        .null()
        .idOrNull(std::min<std::int64_t>(last, m_customerAccounts + 2))
        .idOrNull(m_sundryCustomers)
        .idOrNull(m_sundrySuppliers)
        .insert();
    row.integer(kCompany)
        .integer(2)
        .idOrNull(std::min<std::int64_t>(last, m_customerAccounts + 3))
        .null()
        .null()
        .insert();
}

// Roles. Customers of company 1 get codes C0000001.., each its own account while the chart has
// room for it and the sundry customers' account after that; suppliers likewise. Agents (a tenth
// without type, one in 25 cancelled), clerks and collaborators follow, then a few customers,
// suppliers and an agent of company 2 under the same codes as in company 1, and the commission
// links of half of the customers.
void Generator::roles()
{
    const auto accountOf = [&](std::int64_t entry, std::int64_t sundry) {
        const std::int64_t own = m_ownAccount[static_cast<std::size_t>(entry)];
        return own > 0 ? own : sundry;
    };
    Insert customer(
        m_db, "INSERT INTO Cliente (IDAnagrafica, IDAzienda, Codice, IDPDCContabile, BloccoEmissioneDoc) "
              "VALUES (?, ?, ?, ?, ?)");
    for (std::int64_t i = 1; i <= m_options.customers; ++i) {
        const std::string code = roleCode("C", i, 7);
        customer.integer(i).integer(kCompany).text(code).idOrNull(accountOf(i, m_sundryCustomers));
        const auto block = m_random.below(100); // 2 % blocked, 1 % Null
        if (block < 2)
            customer.integer(1);
        else if (block < 3)
            customer.null();
        else
            customer.integer(0);
        customer.insert();
    }
    Insert supplier(
        m_db, "INSERT INTO Fornitore (IDAnagrafica, IDAzienda, Codice, IDPDCContabile) VALUES (?, ?, ?, ?)");
    for (std::int64_t i = 0; i < m_suppliers; ++i) {
        const std::int64_t entry = m_firstSupplierEntry + i;
        const std::string code = roleCode("F", i + 1, 7);
        supplier.integer(entry)
            .integer(kCompany)
            .text(code)
            .idOrNull(accountOf(entry, m_sundrySuppliers))
            .insert();
    }

    std::int64_t entry = m_firstSupplierEntry + m_suppliers;
    Insert agent(m_db,
                 "INSERT INTO Agente (IDAnagrafica, IDAzienda, Codice, Enasarco, IDTipoAgente, Annullato) "
                 "VALUES (?, ?, ?, ?, ?, ?)");
    for (std::int64_t i = 0; i < m_agents; ++i, ++entry) {
        const std::string code = roleCode("A", i + 1, 5);
        const std::string enasarco = padded(static_cast<std::int64_t>(m_random.below(10'000'000)), 7);
        agent.integer(entry).integer(kCompany).text(code).text(enasarco);
        if (i % 10 == 9)
            agent.null();
        else
            agent.integer(1);
        agent.integer(i % 25 == 24 ? 1 : 0).insert();
        m_agentEntries.push_back(entry);
    }
    for (std::int64_t i = 0; i < m_clerks; ++i, ++entry) {
        const std::string code = roleCode("I", i + 1, 5);
        agent.integer(entry).integer(kCompany).text(code).null().integer(2).integer(0).insert();
    }
    Insert collaborator(m_db, "INSERT INTO Collaboratore (IDAnagrafica, IDAzienda, Codice) VALUES (?, ?, ?)");
    for (std::int64_t i = 0; i < m_collaborators; ++i, ++entry) {
        const std::string code = roleCode("CO", i + 1, 6);
        collaborator.integer(entry).integer(kCompany).text(code).insert();
    }

    for (std::int64_t i = 1; i <= std::min<std::int64_t>(100, m_options.customers); ++i) {
        const std::string code = roleCode("C", i, 7);
        customer.integer(i).integer(kOtherCompany).text(code).null().integer(0).insert();
    }
    for (std::int64_t i = 0; i < std::min<std::int64_t>(10, m_suppliers); ++i) {
        const std::string code = roleCode("F", i + 1, 7);
        supplier.integer(m_firstSupplierEntry + i).integer(kOtherCompany).text(code).null().insert();
    }
    const std::string firstAgentCode = roleCode("A", 1, 5);
    agent.integer(m_agentEntries.back())
        .integer(kOtherCompany)
        .text(firstAgentCode)
        .null()
        .integer(1)
        .integer(0)
        .insert();

    Insert link(
        m_db,
        "INSERT INTO ProvvClienteAgente (IDAnagraficaCliente, IDAnagraficaAgente, PercentualeProvvigione) "
        "VALUES (?, ?, ?)");
    for (std::int64_t i = 1; i <= m_options.customers; ++i) {
        if (m_random.percent(50))
            link.integer(i)
                .integer(m_agentEntries[m_random.below(m_agentEntries.size())])
                .real(static_cast<double>(1 + m_random.below(20)) / 4.0)
                .insert();
    }
    std::cout << "  roles: " << customer.rows() << " customers, " << supplier.rows() << " suppliers, "
              << agent.rows() << " agents and clerks, " << collaborator.rows() << " collaborators, "
              << link.rows() << " commission links\n";
}

void Generator::run()
{
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    const auto seconds = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };

    // This connection is private to the generation, so durability is traded for speed.
    m_db.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA locking_mode = EXCLUSIVE;"
              "PRAGMA temp_store = MEMORY; PRAGMA cache_size = -524288;");
    m_db.exec(m_schema);

    // Secondary indexes are dropped while the rows go in and built afterwards in one sorted pass.
    std::vector<std::pair<std::string, std::string>> indexes;
    {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(m_db.handle(),
                           "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL", -1,
                           &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            indexes.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)),
                                 reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)));
        sqlite3_finalize(stmt);
    }
    for (const auto &index : indexes)
        m_db.exec("DROP INDEX " + index.first);

    m_db.exec("BEGIN");
    referenceData();

    m_anagrafica =
        std::make_unique<Insert>(m_db, "INSERT INTO Anagrafica (IDAnagrafica, Anagrafica, Nome, "
                                       "CodiceFiscale, PartitaIva, Indirizzo, Cap, IDComune, "
                                       "IDNazione, VirtualDelete) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    m_branch = std::make_unique<Insert>(
        m_db,
        "INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, "
        "CodificaCompleta, "
        "ElementoPDC, ElementoTerminale, CategoriaConto, IDTipoConto) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    m_account = std::make_unique<Insert>(m_db, "INSERT INTO ContoPDC (IDContoPDC, Codifica, ContoPDC, "
                                               "IDAnagrafica, CategoriaConto, CondizioneContabile, "
                                               "IDTipoConto) VALUES (?, ?, ?, ?, ?, ?, ?)");
    m_link = std::make_unique<Insert>(m_db, "INSERT INTO ContoPerPDC (IDContoPerPDC, IDElementoPDC, "
                                            "IDContoPDC, CodificaCompleta) VALUES (?, ?, ?, ?)");
    m_month = std::make_unique<Insert>(
        m_db,
        "INSERT INTO ProgressivoContoMese (IDContoPDC, Anno, Mese, Dare, Avere) VALUES (?, ?, ?, ?, ?)");
    m_year = std::make_unique<Insert>(
        m_db,
        "INSERT INTO ProgressivoContoEsercizio (IDContoPDC, IDEsercizio, Dare, Avere) VALUES (?, ?, ?, ?)");
    m_period = std::make_unique<Insert>(
        m_db, "INSERT INTO ProgressivoContoPeriodo (IDContoPDC, IDPeriodoContabilizzazione, "
              "Dare, Avere) VALUES (?, ?, ?, ?)");

    registry();
    const double registryTime = seconds();
    chart();
    automaticAccounts();
    const double chartTime = seconds();
    roles();
    m_anagrafica.reset();
    m_branch.reset();
    m_account.reset();
    m_link.reset();
    m_month.reset();
    m_year.reset();
    m_period.reset();
    m_db.exec("COMMIT");
    const double insertTime = seconds();

    for (const auto &index : indexes)
        m_db.exec(index.second);
    const double indexTime = seconds();
    m_db.exec("ANALYZE");
    const double analyzeTime = seconds();

    std::cout << "  registry entries: " << m_db.scalar("SELECT count(*) FROM Anagrafica") << " ("
              << m_db.scalar("SELECT count(*) FROM Anagrafica WHERE VirtualDelete <> 0") << " deleted)\n"
              << "  chart " << kChart << ": " << m_db.scalar("SELECT count(*) FROM ElementoPDC")
              << " branches on " << kLevels << " levels, " << m_db.scalar("SELECT count(*) FROM ContoPDC")
              << " accounts (" << m_customerAccounts << " customers' own, " << m_supplierAccounts
              << " suppliers' own)\n"
              << "  running totals: " << m_db.scalar("SELECT count(*) FROM ProgressivoContoMese")
              << " monthly, " << m_db.scalar("SELECT count(*) FROM ProgressivoContoPeriodo")
              << " per period, " << m_db.scalar("SELECT count(*) FROM ProgressivoContoEsercizio")
              << " yearly\n";
    std::printf(
        "  time: registry %.1f s, chart %.1f s, roles %.1f s, indexes %.1f s, analyze %.1f s, total %.1f s\n",
        registryTime, chartTime - registryTime, insertTime - chartTime, indexTime - insertTime,
        analyzeTime - indexTime, analyzeTime);
}

} // namespace

int main(int argc, char **argv)
{
    const Options options = parse(argc, argv);
    try {
        std::string schema = readFile(options.schema);
        std::error_code ignored;
        for (const char *suffix : {"", "-journal", "-wal", "-shm"})
            std::filesystem::remove(options.output + suffix, ignored);
        std::cout << "orv_generate_db: " << options.output << " with " << options.customers
                  << " customers and " << options.accounts << " accounts (schema " << options.schema
                  << ", seed " << options.seed << ")\n";
        Database db(options.output);
        Generator generator(db, options, std::move(schema));
        generator.run();
    } catch (const std::exception &e) {
        std::cerr << "orv_generate_db: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
