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

function open_database(): PDO
{
    $db = new PDO(report_dsn(), getenv('MC_REPORT_DB_USER') ?: null, getenv('MC_REPORT_DB_PASSWORD') ?: null);
    $db->setAttribute(PDO::ATTR_ERRMODE, PDO::ERRMODE_EXCEPTION);
    $columns = implode(', ', array_map(fn($field) => "$field TEXT NOT NULL", REPORT_FIELDS));
    $id = $db->getAttribute(PDO::ATTR_DRIVER_NAME) === 'pgsql' ? 'id SERIAL PRIMARY KEY' : 'id INTEGER PRIMARY KEY';
    $db->exec("CREATE TABLE IF NOT EXISTS reports ($id, received_at TEXT NOT NULL, client_address TEXT NOT NULL, $columns)");
    $db->exec('CREATE INDEX IF NOT EXISTS reports_account_mac ON reports (u, mc)');
    return $db;
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
    if (!hash_equals(report_token($form), strtolower($form['tk']))) {
        return BAD_TOKEN;
    }
    $seen = $db->prepare('SELECT 1 FROM reports WHERE u = ? AND mc = ?');
    $seen->execute([$form['u'], $form['mc']]);
    if ($seen->fetchColumn() !== false) {
        return SUBMITTED_BEFORE;
    }
    $names = implode(', ', REPORT_FIELDS);
    $marks = implode(', ', array_fill(0, count(REPORT_FIELDS), '?'));
    $insert = $db->prepare("INSERT INTO reports (received_at, client_address, $names) VALUES (?, ?, $marks)");
    $insert->execute(array_merge([gmdate('Y-m-d\TH:i:s\Z'), $client_address], array_values($form)));
    return ACCEPTED;
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
