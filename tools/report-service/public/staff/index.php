<?php
// The staff page: the sign-in form, or the figures of the reports.
require __DIR__ . '/../../lib/staff.php';

header('Content-Type: text/html; charset=UTF-8');
header('Cache-Control: no-store');
header("Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; img-src 'self'; form-action 'self'");

function page(string $title, string $body): void
{
    echo '<!DOCTYPE html><html lang="zh-CN"><head><meta charset="UTF-8"><title>', h($title), '</title><style>',
        'body{font-family:"WenQuanYi Micro Hei","Microsoft YaHei",sans-serif;margin:24px;color:#222;max-width:1100px}',
        'h1{font-size:22px}h2{font-size:17px;margin-top:28px;border-bottom:1px solid #ccc}',
        '.figures{display:flex;gap:32px}.figure{font-size:28px;font-weight:bold}.caption{color:#666;font-size:13px}',
        'table{border-collapse:collapse;margin:8px 0}td,th{border:1px solid #ccc;padding:3px 10px;text-align:left}',
        'td.n{text-align:right}.grid{display:flex;flex-wrap:wrap;gap:28px}.error{color:#b00}.empty{color:#888}',
        '.chart rect{fill:#3b7dd8}.chart .count{font-size:11px;text-anchor:middle}.chart .label{font-size:11px}',
        '</style></head><body>', $body, '</body></html>';
}

if (staff_password_hash() === '') {
    http_response_code(503);
    page('员工页面未启用', '<h1>员工页面未启用</h1><p>服务没有设置员工密码（MC_STAFF_PASSWORD_HASH），所以员工页面关闭。</p>');
    return;
}
start_staff_session();
if (!signed_in()) {
    $error = $_SESSION['sign_in_error'] ?? '';
    unset($_SESSION['sign_in_error']);
    page('员工登录', '<h1>MachineCheck 报告 · 员工登录</h1>'
        . ($error !== '' ? '<p class="error" id="sign-in-error">' . h($error) . '</p>' : '')
        . '<form method="post" action="/staff/sign-in.php"><label>密码 <input type="password" name="password" id="password" '
        . 'autocomplete="current-password" autofocus></label> <button type="submit" id="sign-in">登录</button></form>');
    return;
}

$db = open_staff_database();
[$from, $to, $range_error] = requested_range($_GET);
$figures = report_figures($db, $from, $to);
$unrecognised = unrecognised_devices($db, range_condition($from, $to));
$query = http_build_query(array_filter(['from' => $from, 'to' => $to]));

$body = '<h1>MachineCheck 报告</h1>'
    . '<form method="get" action="/staff/">从 <input type="date" name="from" value="' . h($from ?? '') . '"> 到 '
    . '<input type="date" name="to" value="' . h($to ?? '') . '"> <button type="submit">查看</button> '
    . '<a href="/staff/">全部</a></form>'
    . ($range_error !== '' ? '<p class="error" id="range-error">' . h($range_error) . '，已按全部日期显示。</p>' : '')
    . '<p>' . h($from === null && $to === null ? '全部报告' : ('报告日期：' . ($from ?? '最早') . ' 至 ' . ($to ?? '最近'))) . '</p>'
    . '<div class="figures"><div><div class="figure" id="reports-count">' . $figures['reports'] . '</div><div class="caption">份报告</div></div>'
    . '<div><div class="figure" id="machines-count">' . $figures['machines'] . '</div><div class="caption">台电脑（不同硬件地址）</div></div></div>'
    . '<p><a href="/staff/reports-csv.php' . ($query !== '' ? '?' . h($query) : '') . '" id="csv">下载这些报告（CSV）</a></p>'
    . '<h2>每天的报告</h2>' . bar_chart($figures['days'], '每天的报告')
    . '<div class="grid"><div><h2>画质等级</h2>' . bar_chart(array_combine(array_map(fn($l) => LEVEL_NAMES[$l], array_keys($figures['levels'])), $figures['levels']), '画质等级') . '</div>'
    . '<div><h2>内存</h2>' . bar_chart($figures['memory'], '内存') . '</div></div>'
    . '<div class="grid"><div><h2>最常见的处理器</h2>' . count_table($figures['processors'], '处理器', true, 'processors') . '</div>'
    . '<div><h2>最常见的显卡</h2>' . count_table($figures['graphics'], '显卡', true, 'graphics') . '</div></div>'
    . '<div class="grid"><div><h2>地区</h2>' . count_table($figures['regions'], '地区', false, 'regions') . '</div>'
    . '<div><h2>年龄范围</h2>' . count_table($figures['ages'], '年龄范围', false, 'ages') . '</div>'
    . '<div><h2>性别</h2>' . count_table($figures['sexes'], '性别', false, 'sexes') . '</div></div>'
    . '<h2>评分表不认识的设备</h2>';
if ($unrecognised === null) {
    $body .= '<p class="empty" id="unrecognised-off">无法判断：服务没有设置 MC_MACHINECHECK（MachineCheck 程序的路径），或程序无法运行。</p>';
} elseif (!$unrecognised) {
    $body .= '<p class="empty" id="unrecognised-none">报告中的设备评分表都认识。</p>';
} else {
    $body .= '<p>这些名称按报告它们的电脑数排列，可用来补充评分表。<a href="/staff/unrecognised.php'
        . ($query !== '' ? '?' . h($query) : '') . '" id="unrecognised-download">下载列表</a></p>'
        . '<table id="unrecognised"><tr><th>种类</th><th>名称</th><th>电脑数</th></tr>';
    foreach ($unrecognised as [$kind, $name, $machines]) {
        $body .= '<tr><td>' . ($kind === 'cpu' ? '处理器' : '显卡') . '</td><td>' . h(utf8($name) === '' ? '（空）' : utf8($name))
            . '</td><td class="n">' . $machines . '</td></tr>';
    }
    $body .= '</table>';
}
$body .= '<form method="post" action="/staff/sign-out.php"><input type="hidden" name="csrf" value="' . h(csrf_token())
    . '"><button type="submit" id="sign-out">退出登录</button></form>';
page('MachineCheck 报告', $body);
