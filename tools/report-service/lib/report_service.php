<?php
// The report service's logic: token check, storage and export of the
// reports that MachineCheck posts. The database is one PDO DSN
// (MC_REPORT_DSN; SQLite in the service's own folder by default, and any
// PDO driver, PostgreSQL among them, in production).

const REPORT_FIELDS = ['u', 'mc', 'cpu', 'mm', 'dm', 'os', 'rs', 'hl', 'pn', 'nc', 'ei', 'ag', 'sx', 'pv', 'tk'];

// Shared with the program: they sign the report. A deployment whose
// program was built with other salts sets MC_REPORT_FIRST_SALT and so on.
const FIRST_SALT = 'Q!z8&Lm#4pT*w2e';
const SECOND_SALT = '#&!%$KRTV3N92';
const THIRD_SALT = 'v7.201911qx$';

const ACCEPTED = 0;
const SUBMITTED_BEFORE = -1;
const MALFORMED_FORM = -2;
const BAD_TOKEN = -3;

const MESSAGES = [
    ACCEPTED => '感谢您参与本次检测，您的电脑配置信息已成功提交！',
    SUBMITTED_BEFORE => '您已经提交过检测结果，无需重复提交。',
    MALFORMED_FORM => '提交的数据不完整，请重新检测后再提交。',
    BAD_TOKEN => '数据校验失败，请使用官方检测工具提交。',
];

function report_dsn(): string
{
    $dsn = getenv('MC_REPORT_DSN');
    return $dsn !== false && $dsn !== '' ? $dsn : 'sqlite:' . dirname(__DIR__) . '/reports.sqlite';
}

// The tables' version: the schema is made (or brought up to date) when the
// database holds an older one, not on every request.
const SCHEMA_VERSION = 3;

function open_database(): PDO
{
    $dsn = report_dsn();
    $sqlite = str_starts_with($dsn, 'sqlite:');
    // SQLite waits for another writer instead of failing at once; a server
    // database keeps its connection for the next request of this worker.
    $options = $sqlite ? [PDO::ATTR_TIMEOUT => 30] : [PDO::ATTR_PERSISTENT => true];
    $db = new PDO($dsn, getenv('MC_REPORT_DB_USER') ?: null, getenv('MC_REPORT_DB_PASSWORD') ?: null, $options);
    $db->setAttribute(PDO::ATTR_ERRMODE, PDO::ERRMODE_EXCEPTION);
    if ($sqlite) {
        $db->exec('PRAGMA journal_mode = WAL');
    }
    if (schema_version($db) < SCHEMA_VERSION) {
        try {
            create_schema($db);
        } catch (PDOException $error) {
            // Another request may have made it at the same moment.
            if (schema_version($db) < SCHEMA_VERSION) {
                throw $error;
            }
        }
    }
    return $db;
}

function schema_version(PDO $db): int
{
    try {
        return (int)$db->query('SELECT MAX(version) FROM report_schema')->fetchColumn();
    } catch (PDOException $missing) {
        return 0;
    }
}

function create_schema(PDO $db): void
{
    $columns = implode(', ', array_map(fn($field) => "$field TEXT NOT NULL", REPORT_FIELDS));
    $id = $db->getAttribute(PDO::ATTR_DRIVER_NAME) === 'pgsql' ? 'id SERIAL PRIMARY KEY' : 'id INTEGER PRIMARY KEY';
    $db->exec("CREATE TABLE IF NOT EXISTS reports ($id, received_at TEXT NOT NULL, client_address TEXT NOT NULL, $columns)");
    $db->exec('CREATE INDEX IF NOT EXISTS reports_account_mac ON reports (u, mc)');
    // One accepted report per account and hardware address, kept by the
    // database itself, so that simultaneous submissions cannot both pass.
    try {
        $db->exec('CREATE UNIQUE INDEX IF NOT EXISTS reports_account_mac_once ON reports (u, mc)');
    } catch (PDOException $error) {
        error_log('report service: the reports hold an account and hardware address twice; remove the later rows '
            . '(SELECT u, mc FROM reports GROUP BY u, mc HAVING COUNT(*) > 1) and start again');
        throw $error;
    }
    $db->exec('CREATE INDEX IF NOT EXISTS reports_received_at ON reports (received_at)');
    // The staff page's: sign-in attempts (the throttle counts them, whichever
    // node took them), sessions, the program's answers on device names (keyed
    // by a digest: a name may be 2 KiB) and the names staff hid.
    $db->exec('CREATE TABLE IF NOT EXISTS staff_sign_ins (at TEXT NOT NULL, address TEXT NOT NULL, succeeded INTEGER NOT NULL)');
    $db->exec('CREATE INDEX IF NOT EXISTS staff_sign_ins_at ON staff_sign_ins (at)');
    $db->exec('CREATE TABLE IF NOT EXISTS staff_sessions (token_hash TEXT PRIMARY KEY, csrf TEXT NOT NULL,
               created_at INTEGER NOT NULL, last_seen INTEGER NOT NULL, password_fingerprint TEXT NOT NULL)');
    $db->exec('DROP TABLE IF EXISTS device_names');
    $db->exec('CREATE TABLE IF NOT EXISTS device_answers (name_key TEXT NOT NULL, program TEXT NOT NULL,
               kind TEXT NOT NULL, name TEXT NOT NULL, known INTEGER NOT NULL, PRIMARY KEY (name_key, program))');
    $db->exec('CREATE TABLE IF NOT EXISTS device_hidden (name_key TEXT PRIMARY KEY, kind TEXT NOT NULL,
               name TEXT NOT NULL, hidden_at TEXT NOT NULL)');
    $db->exec('CREATE TABLE IF NOT EXISTS report_schema (version INTEGER NOT NULL)');
    $db->exec('INSERT INTO report_schema (version) VALUES (' . SCHEMA_VERSION . ')');
}

// The token the program computes: MD5 over seven fields and the salts.
function salt(string $name, string $default): string
{
    $value = getenv($name);
    return $value !== false && $value !== '' ? $value : $default;
}

function report_token(array $form): string
{
    return md5($form['u'] . salt('MC_REPORT_FIRST_SALT', FIRST_SALT) . $form['mc'] . $form['cpu'] . $form['mm']
        . $form['dm'] . salt('MC_REPORT_SECOND_SALT', SECOND_SALT) . $form['hl'] . $form['ei']
        . salt('MC_REPORT_THIRD_SALT', THIRD_SALT));
}

// The program sends only accounts of this form: 5 to 11 digits, no leading 0.
const ACCOUNT_PATTERN = '/^[1-9][0-9]{4,10}$/D';
// The closed fields hold only what the dialog and the probe can send: the
// age and sex items' numbers, one of the eight regions (code page 936), the
// hardware address as the program writes it (or nothing, on a machine
// without one), the level's code and the count of submissions.
const FIELD_PATTERNS = [
    'ag' => '/^[1-5]$/D',
    'sx' => '/^[12]$/D',
    'mc' => '/^(([0-9A-F]{2}-){5}[0-9A-F]{2})?$/D',
    'hl' => '/^[0-5]?$/D',
    'ei' => '/^[0-9]{1,10}$/D',
];
const REGIONS = ['华北地区', '华东地区', '华南地区', '华中地区', '东北地区', '西北地区', '西南地区', '其他地区'];
// The largest field and form the program can send, with room to spare.
const MAX_FIELD_BYTES = 2048;
const MAX_FORM_BYTES = 65536;

// ret_code for a posted form, storing it when it is accepted.
function receive_report(PDO $db, array $post, string $client_address): int
{
    $form = [];
    foreach (REPORT_FIELDS as $field) {
        if (!isset($post[$field]) || !is_string($post[$field])) {
            return MALFORMED_FORM;
        }
        $form[$field] = $post[$field];
    }
    if (!preg_match(ACCOUNT_PATTERN, $form['u'])) {
        return MALFORMED_FORM;
    }
    foreach (FIELD_PATTERNS as $field => $pattern) {
        if (!preg_match($pattern, $form[$field])) {
            return MALFORMED_FORM;
        }
    }
    foreach ($form as $value) {
        // The program's text is code page 936 (GBK, with 0x80 for the euro
        // sign), which has no zero byte and no 0xFF; anything else is no
        // report of it.
        if (strlen($value) > MAX_FIELD_BYTES || strpbrk($value, "\0\xFF") !== false
            || !mb_check_encoding($value, 'CP936')) {
            return MALFORMED_FORM;
        }
    }
    if (!in_array(mb_convert_encoding($form['pv'], 'UTF-8', 'CP936'), REGIONS, true)) {
        return MALFORMED_FORM;
    }
    if (!hash_equals(report_token($form), strtolower($form['tk']))) {
        return BAD_TOKEN;
    }
    $names = implode(', ', REPORT_FIELDS);
    $marks = implode(', ', array_fill(0, count(REPORT_FIELDS), '?'));
    $insert = $db->prepare("INSERT INTO reports (received_at, client_address, $names) VALUES (?, ?, $marks)
                            ON CONFLICT (u, mc) DO NOTHING");
    $insert->execute(array_merge([gmdate('Y-m-d\TH:i:s\Z'), $client_address], array_values($form)));
    return $insert->rowCount() === 1 ? ACCEPTED : SUBMITTED_BEFORE;
}

// One line of JSON, Chinese text as \u escapes (json_encode's default).
function answer_line(int $ret_code): string
{
    return json_encode(['ret_code' => $ret_code, 'msg' => MESSAGES[$ret_code]]) . "\n";
}

// The stored reports as the device list the batch mode reads: account,
// date, time, processor, memory ("8192.00 MB"), graphics adapter, then the
// hardware address, operating system and level. An empty device is written
// "-", so the batch rates it as a device it does not know. A row the batch
// could not read at all (an account with blanks, from before the service
// refused those; a memory that is no number) is left out and counted: the
// count of them is returned.
function export_device_list(PDO $db, $out): int
{
    $clean = fn(string $text) => strtr($text, "\t\r\n", '   ');
    $device = fn(string $text) => trim($text) === '' ? '-' : $clean($text);
    $unwritable = 0;
    fwrite($out, "account\tdate\ttime\tprocessor\tmemory\tgraphics\tmac\tos\tlevel\n");
    foreach ($db->query('SELECT * FROM reports ORDER BY id') as $row) {
        if (preg_match('/^\S+$/D', $row['u']) !== 1 || preg_match('/^[0-9.]/', $row['mm']) !== 1) {
            $unwritable++;
            continue;
        }
        [$date, $time] = explode('T', rtrim($row['received_at'], 'Z'));
        $fields = [$row['u'], $date, $time, $device($row['cpu']), $clean($row['mm']), $device($row['dm']),
            $clean($row['mc']), $clean($row['os']), $clean($row['hl'])];
        fwrite($out, implode("\t", $fields) . "\n");
    }
    return $unwritable;
}
