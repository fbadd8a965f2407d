<?php
// The staff page: the figures of the reports in a date range, the devices
// the program's tables do not know, and the downloads.
require_once __DIR__ . '/report_service.php';
require_once __DIR__ . '/staff_session.php';
require_once __DIR__ . '/device_names.php';

// What the form's numbers stand for, as the dialog's layout (Main.mox)
// offers them: "ag" and "sx" are the chosen item's number from 1.
const AGE_NAMES = ['1' => '18岁以下', '2' => '18-22岁', '3' => '23-30岁', '4' => '31-40岁', '5' => '40岁以上'];
const SEX_NAMES = ['1' => '男', '2' => '女'];
const LEVEL_NAMES = ['1' => '1（最佳）', '2' => '2', '3' => '3', '4' => '4', '5' => '5（最差）', '-1' => '-1（未评级）'];
// Beyond this many days the daily chart shows weeks.
const MOST_DAILY_BARS = 45;
// Device names longer than this are shown cut, whole in their tooltip.
const LONGEST_SHOWN_NAME = 80;

function h(string $text): string
{
    return htmlspecialchars($text, ENT_QUOTES | ENT_SUBSTITUTE, 'UTF-8');
}

// A stored value (code page 936, as the program sends it) for the page.
function utf8(string $gbk): string
{
    return mb_convert_encoding($gbk, 'UTF-8', 'CP936');
}

// A device name for a table cell: cut when long, whole on hover.
function shown_name(string $name): string
{
    if ($name === '') {
        return '（空）';
    }
    if (mb_strlen($name) <= LONGEST_SHOWN_NAME) {
        return h($name);
    }
    return '<span title="' . h($name) . '">' . h(mb_substr($name, 0, LONGEST_SHOWN_NAME)) . '…</span>';
}

// A cell of a download that a spreadsheet could take for a formula (after
// blanks, or after a separator some spreadsheets split on) starts with a
// quote instead.
function neutralised_cell(string $cell): string
{
    return preg_match('/(^|[;,|\t])[\s\x{3000}]*[=+\-@\x{FF1D}\x{FF0B}\x{FF0D}\x{FF20}]|^[\r\n]/u', $cell) === 1
        ? "'" . $cell : $cell;
}

// The staff page's query for a date range and a page of the unrecognised
// list (the first page needs none).
function page_query(?string $from, ?string $to, int $page = 1): string
{
    return http_build_query(array_filter(['from' => $from, 'to' => $to, 'page' => $page > 1 ? $page : null]));
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

// Whether the range runs backwards (its end before its start).
function range_reversed(?string $from, ?string $to): bool
{
    return $from !== null && $to !== null && strcmp($from, $to) > 0;
}

// The SQL condition and parameters of a date range on received_at, compared
// as the times they are ("YYYY-MM-DDTHH:MM:SSZ"): the end is the last second
// of its day.
function range_condition(?string $from, ?string $to): array
{
    $conditions = [];
    $parameters = [];
    if ($from !== null) {
        $conditions[] = 'received_at >= ?';
        $parameters[] = $from . 'T00:00:00Z';
    }
    if ($to !== null) {
        $conditions[] = 'received_at <= ?';
        $parameters[] = $to . 'T23:59:59Z';
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

// Counts by stored value, named: a value the names know exactly takes its
// name; any other (from before the service refused them) shows quoted.
function named_counts(array $counts, array $names): array
{
    $result = [];
    foreach ($counts as $key => $count) {
        $name = $names[(string)$key] ?? ('“' . utf8((string)$key) . '”');
        $result[$name] = ($result[$name] ?? 0) + $count;
    }
    return $result;
}

// Reports per day from the first to the last day, days without any as 0;
// over a longer time, per week (labelled with its Monday).
function reports_over_time(array $days): array
{
    if (!$days) {
        return [];
    }
    $first = new DateTimeImmutable(array_key_first($days) . 'T00:00:00Z');
    $last = new DateTimeImmutable(array_key_last($days) . 'T00:00:00Z');
    $weekly = $last->diff($first)->days >= MOST_DAILY_BARS;
    $series = [];
    if ($weekly) {
        $first = $first->modify('monday this week');
    }
    for ($day = $first; $day <= $last; $day = $day->modify($weekly ? '+1 week' : '+1 day')) {
        $series[$day->format('Y-m-d')] = 0;
    }
    foreach ($days as $date => $count) {
        $key = $weekly ? (new DateTimeImmutable($date . 'T00:00:00Z'))->modify('monday this week')->format('Y-m-d')
            : $date;
        $series[$key] += $count;
    }
    return ['weekly' => $weekly, 'counts' => $series];
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
        $levels[isset(LEVEL_NAMES[(string)$level]) && (string)$level !== '-1' ? (string)$level : '-1'] += $count;
    }
    $memory = [];
    foreach (counts_by($db, 'mm', $range) as $text => $count) {
        $gib = is_numeric(strtok((string)$text, ' ')) ? (int)round((float)strtok((string)$text, ' ') / 1024) : -1;
        $label = $gib < 0 ? '未知' : $gib . ' GB';
        $memory[$label] = ($memory[$label] ?? 0) + $count;
    }
    uksort($memory, fn($a, $b) => (int)$a <=> (int)$b);
    $regions = [];
    foreach (counts_by($db, 'pv', $range) as $region => $count) {
        $regions[utf8((string)$region)] = $count;
    }
    return [
        'reports' => (int)$reports,
        'machines' => (int)$machines,
        'over_time' => reports_over_time(counts_by($db, 'substr(received_at, 1, 10)', $range, 'k')),
        'levels' => $levels,
        'memory' => $memory,
        'processors' => counts_by($db, 'cpu', $range, 'n DESC, k', 10),
        'graphics' => counts_by($db, 'dm', $range, 'n DESC, k', 10),
        'regions' => $regions,
        'ages' => named_counts(counts_by($db, 'ag', $range, 'k'), AGE_NAMES),
        'sexes' => named_counts(counts_by($db, 'sx', $range, 'k'), SEX_NAMES),
    ];
}

// A bar chart as SVG: one bar per label, its count above it; many bars
// scroll sideways inside the page rather than widen it.
function bar_chart(array $counts, string $title): string
{
    if (!$counts) {
        return '<p class="empty">没有数据</p>';
    }
    $bar = count($counts) > 30 ? 14 : 36;
    $gap = count($counts) > 30 ? 6 : 14;
    $height = 160;
    $width = count($counts) * ($bar + $gap) + $gap + 60;  // room for the last slanted label
    $top = max(1, max($counts));
    $svg = sprintf('<div class="chart-box"><svg class="chart" role="img" aria-label="%s" width="%d" height="%d" viewBox="0 0 %d %d">',
        h($title), $width, $height + 80, $width, $height + 80);
    $x = $gap;
    foreach ($counts as $label => $count) {
        $bar_height = (int)round($count / $top * ($height - 20));
        $svg .= sprintf('<rect x="%d" y="%d" width="%d" height="%d"><title>%s: %d</title></rect>', $x,
            $height - $bar_height, $bar, $bar_height, h((string)$label), $count);
        if ($count > 0) {
            $svg .= sprintf('<text x="%d" y="%d" class="count">%d</text>', $x + $bar / 2, $height - $bar_height - 4, $count);
        }
        $svg .= sprintf('<text x="%d" y="%d" class="label" transform="rotate(45 %d %d)">%s</text>', $x + 2,
            $height + 12, $x + 2, $height + 12, h((string)$label));
        $x += $bar + $gap;
    }
    return $svg . '</svg></div>';
}

function count_table(array $counts, string $heading, bool $stored_text = false, string $id = ''): string
{
    if (!$counts) {
        return '<p class="empty">没有数据</p>';
    }
    $html = '<table' . ($id !== '' ? ' id="' . h($id) . '"' : '') . '><tr><th>' . h($heading) . '</th><th>报告数</th></tr>';
    foreach ($counts as $name => $count) {
        $shown = $stored_text ? utf8((string)$name) : (string)$name;
        $html .= '<tr><td>' . shown_name($shown) . '</td><td class="n">' . (int)$count . '</td></tr>';
    }
    return $html . '</table>';
}

// Answers a staff URL for someone who has not signed in: no data, only
// where to sign in (or that the page is off).
function refuse_without_sign_in(bool $download): void
{
    $problem = staff_page_problem();
    if ($problem !== '') {
        http_response_code(503);
    } elseif ($download) {
        http_response_code(401);
    } else {
        http_response_code(303);
        header('Location: /staff/');
    }
    header('Content-Type: text/plain; charset=UTF-8');
    echo $problem === 'off' ? "员工页面未启用。\n" : ($problem === 'invalid' ? "员工密码设置无效。\n" : "请先登录：/staff/\n");
}

// The database of a download, when someone is signed in; else null, after
// answering without data.
function staff_download_database(): ?PDO
{
    if (staff_page_problem() === '') {
        $db = open_database();
        if (signed_in($db)) {
            return $db;
        }
    }
    refuse_without_sign_in(true);
    return null;
}
