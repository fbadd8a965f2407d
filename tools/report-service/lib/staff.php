<?php
// The staff page: sign-in, the figures of the reports in a date range, the
// devices the program's tables do not know, and the downloads.
require_once __DIR__ . '/report_service.php';
require_once __DIR__ . '/device_names.php';

// What the form's numbers stand for, as the dialog's layout (Main.mox)
// offers them: "ag" and "sx" are the chosen item's number from 1.
const AGE_NAMES = [1 => '18岁以下', 2 => '18-22岁', 3 => '23-30岁', 4 => '31-40岁', 5 => '40岁以上'];
const SEX_NAMES = [1 => '男', 2 => '女'];
const LEVEL_NAMES = ['1' => '1（最佳）', '2' => '2', '3' => '3', '4' => '4', '5' => '5（最差）', '-1' => '-1（未评级）'];

const MAX_FAILED_SIGN_INS = 5;  // from one address in SIGN_IN_WINDOW_SECONDS
const SIGN_IN_WINDOW_SECONDS = 600;
const FAILED_SIGN_IN_DELAY_SECONDS = 1;

function h(string $text): string
{
    return htmlspecialchars($text, ENT_QUOTES | ENT_SUBSTITUTE, 'UTF-8');
}

// A stored value (code page 936, as the program sends it) for the page.
function utf8(string $gbk): string
{
    return mb_convert_encoding($gbk, 'UTF-8', 'CP936');
}

function staff_password_hash(): string
{
    $hash = getenv('MC_STAFF_PASSWORD_HASH');
    return $hash === false ? '' : trim($hash);
}

function start_staff_session(): void
{
    session_name('MCSTAFF');
    session_set_cookie_params(['path' => '/staff/', 'httponly' => true, 'samesite' => 'Strict',
        'secure' => !empty($_SERVER['HTTPS'])]);
    session_start();
}

function signed_in(): bool
{
    return ($_SESSION['staff'] ?? false) === true;
}

function csrf_token(): string
{
    if (empty($_SESSION['csrf'])) {
        $_SESSION['csrf'] = bin2hex(random_bytes(16));
    }
    return $_SESSION['csrf'];
}

function open_staff_database(): PDO
{
    $db = open_database();
    $db->exec('CREATE TABLE IF NOT EXISTS staff_sign_ins (at TEXT NOT NULL, address TEXT NOT NULL, succeeded INTEGER NOT NULL)');
    return $db;
}

// Every attempt is written to the server's log and kept in the database,
// where the throttle counts the failures of the last minutes.
function record_sign_in(PDO $db, string $address, bool $succeeded): void
{
    error_log(sprintf('staff sign-in from %s: %s', $address, $succeeded ? 'succeeded' : 'failed'));
    $db->prepare('INSERT INTO staff_sign_ins (at, address, succeeded) VALUES (?, ?, ?)')
        ->execute([gmdate('Y-m-d\TH:i:s\Z'), $address, $succeeded ? 1 : 0]);
}

function recent_failures(PDO $db, string $address): int
{
    $since = gmdate('Y-m-d\TH:i:s\Z', time() - SIGN_IN_WINDOW_SECONDS);
    $count = $db->prepare('SELECT COUNT(*) FROM staff_sign_ins WHERE address = ? AND succeeded = 0 AND at >= ?');
    $count->execute([$address, $since]);
    return (int)$count->fetchColumn();
}

// Signs the session in when the password is right; else null and the
// reason. A wrong password costs a second; too many from one address are
// refused unheard for a while.
function sign_in(PDO $db, string $password, string $address): ?string
{
    if (recent_failures($db, $address) >= MAX_FAILED_SIGN_INS) {
        record_sign_in($db, $address, false);
        return '尝试次数过多，请十分钟后再试。';
    }
    if (!password_verify($password, staff_password_hash())) {
        sleep(FAILED_SIGN_IN_DELAY_SECONDS);
        record_sign_in($db, $address, false);
        return '密码错误。';
    }
    record_sign_in($db, $address, true);
    session_regenerate_id(true);
    $_SESSION['staff'] = true;
    return null;
}

// The date range of the request: from and to as YYYY-MM-DD, either may be
// absent. Returns [from, to, error]; a date that is no date is ignored and
// named in the error.
function requested_range(array $query): array
{
    $range = ['from' => null, 'to' => null];
    $errors = [];
    foreach (['from', 'to'] as $end) {
        $value = $query[$end] ?? '';
        if (!is_string($value) || $value === '') {
            continue;
        }
        $date = DateTimeImmutable::createFromFormat('!Y-m-d', $value, new DateTimeZone('UTC'));
        if ($date === false || $date->format('Y-m-d') !== $value) {
            $errors[] = '“' . $value . '”不是日期（应写成 2026-12-09）';
            continue;
        }
        $range[$end] = $value;
    }
    return [$range['from'], $range['to'], implode('；', $errors)];
}

// The SQL condition and parameters of a date range on received_at.
function range_condition(?string $from, ?string $to): array
{
    $conditions = [];
    $parameters = [];
    if ($from !== null) {
        $conditions[] = 'received_at >= ?';
        $parameters[] = $from . 'T00:00:00Z';
    }
    if ($to !== null) {
        $conditions[] = 'received_at < ?';
        $parameters[] = (new DateTimeImmutable($to . 'T00:00:00Z'))->modify('+1 day')->format('Y-m-d\T00:00:00\Z');
    }
    return [$conditions ? 'WHERE ' . implode(' AND ', $conditions) : '', $parameters];
}

// Rows of "SELECT key, COUNT" grouped by one expression, most first.
function counts_by(PDO $db, string $expression, array $range, string $order = 'n DESC, k', int $limit = 0): array
{
    [$where, $parameters] = $range;
    $sql = "SELECT $expression AS k, COUNT(*) AS n FROM reports $where GROUP BY $expression ORDER BY $order"
        . ($limit > 0 ? " LIMIT $limit" : '');
    $rows = $db->prepare($sql);
    $rows->execute($parameters);
    return $rows->fetchAll(PDO::FETCH_KEY_PAIR);
}

// Everything the page shows of the reports in the range.
function report_figures(PDO $db, ?string $from, ?string $to): array
{
    $range = range_condition($from, $to);
    [$where, $parameters] = $range;
    $totals = $db->prepare("SELECT COUNT(*), COUNT(DISTINCT mc) FROM reports $where");
    $totals->execute($parameters);
    [$reports, $machines] = $totals->fetch(PDO::FETCH_NUM);

    // Every level has its bar; what is no level 1 to 5 (the form's "" for
    // a machine without a level) is "not rated".
    $levels = array_fill_keys(array_keys(LEVEL_NAMES), 0);
    foreach (counts_by($db, 'hl', $range) as $level => $count) {
        $levels[isset(LEVEL_NAMES[(string)$level]) ? (string)$level : '-1'] += $count;
    }
    $memory = [];
    foreach (counts_by($db, 'mm', $range) as $text => $count) {
        $gib = is_numeric(strtok((string)$text, ' ')) ? (int)round((float)strtok((string)$text, ' ') / 1024) : -1;
        $label = $gib < 0 ? '未知' : $gib . ' GB';
        $memory[$label] = ($memory[$label] ?? 0) + $count;
    }
    uksort($memory, fn($a, $b) => (int)$a <=> (int)$b);
    $named = function (array $counts, array $names): array {
        $result = [];
        foreach ($counts as $key => $count) {
            $result[$names[(int)$key] ?? ('“' . utf8((string)$key) . '”')] = $count;
        }
        return $result;
    };
    $regions = [];
    foreach (counts_by($db, 'pv', $range) as $region => $count) {
        $regions[utf8((string)$region)] = $count;
    }
    return [
        'reports' => (int)$reports,
        'machines' => (int)$machines,
        'days' => counts_by($db, 'substr(received_at, 1, 10)', $range, 'k'),
        'levels' => $levels,
        'memory' => $memory,
        'processors' => counts_by($db, 'cpu', $range, 'n DESC, k', 10),
        'graphics' => counts_by($db, 'dm', $range, 'n DESC, k', 10),
        'regions' => $regions,
        'ages' => $named(counts_by($db, 'ag', $range, 'k'), AGE_NAMES),
        'sexes' => $named(counts_by($db, 'sx', $range, 'k'), SEX_NAMES),
    ];
}

// A bar chart as SVG: one bar per label, its count above it.
function bar_chart(array $counts, string $title): string
{
    if (!$counts) {
        return '<p class="empty">没有数据</p>';
    }
    $bar = 36;
    $gap = 14;
    $height = 160;
    $width = count($counts) * ($bar + $gap) + $gap + 60;  // room for the last slanted label
    $top = max(1, max($counts));
    $svg = sprintf('<svg class="chart" role="img" aria-label="%s" width="%d" height="%d" viewBox="0 0 %d %d">',
        h($title), $width, $height + 70, $width, $height + 70);
    $x = $gap;
    foreach ($counts as $label => $count) {
        $bar_height = (int)round($count / $top * ($height - 20));
        $svg .= sprintf('<rect x="%d" y="%d" width="%d" height="%d"><title>%s: %d</title></rect>', $x,
            $height - $bar_height, $bar, $bar_height, h((string)$label), $count);
        $svg .= sprintf('<text x="%d" y="%d" class="count">%d</text>', $x + $bar / 2, $height - $bar_height - 4, $count);
        $svg .= sprintf('<text x="%d" y="%d" class="label" transform="rotate(30 %d %d)">%s</text>', $x + 4,
            $height + 14, $x + 4, $height + 14, h((string)$label));
        $x += $bar + $gap;
    }
    return $svg . '</svg>';
}

function count_table(array $counts, string $heading, bool $stored_text = false, string $id = ''): string
{
    if (!$counts) {
        return '<p class="empty">没有数据</p>';
    }
    $html = '<table' . ($id !== '' ? ' id="' . h($id) . '"' : '') . '><tr><th>' . h($heading) . '</th><th>报告数</th></tr>';
    foreach ($counts as $name => $count) {
        $shown = $stored_text ? utf8((string)$name) : (string)$name;
        $html .= '<tr><td>' . h($shown === '' ? '（空）' : $shown) . '</td><td class="n">' . (int)$count . '</td></tr>';
    }
    return $html . '</table>';
}

// Answers a staff URL for someone who has not signed in: no data, only
// where to sign in (or that the page is off).
function refuse_without_sign_in(bool $download): void
{
    if (staff_password_hash() === '') {
        http_response_code(503);
    } elseif ($download) {
        http_response_code(401);
    } else {
        http_response_code(303);
        header('Location: /staff/');
    }
    header('Content-Type: text/plain; charset=UTF-8');
    echo staff_password_hash() === '' ? "员工页面未启用。\n" : "请先登录：/staff/\n";
}

// Opens the session of a download; false, after answering without data,
// when nobody is signed in.
function start_staff_download(): bool
{
    if (staff_password_hash() !== '') {
        start_staff_session();
        if (signed_in()) {
            return true;
        }
    }
    refuse_without_sign_in(true);
    return false;
}
