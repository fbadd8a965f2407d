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
        'table{border-collapse:collapse;margin:8px 0;max-width:100%}td,th{border:1px solid #ccc;padding:3px 10px;text-align:left}',
        'td{max-width:520px;overflow-wrap:anywhere}td.n{text-align:right}.grid{display:flex;flex-wrap:wrap;gap:28px}',
        '.grid>div{min-width:0;max-width:100%}.error{color:#b00}.empty{color:#888}.note{color:#666;font-size:13px}',
        '.chart-box{max-width:100%;overflow-x:auto}.chart rect{fill:#3b7dd8}.chart .count{font-size:11px;text-anchor:middle}',
        '.chart .label{font-size:11px}form.inline{display:inline}button.small{font-size:12px}',
        '</style></head><body>', $body, '</body></html>';
}

$problem = staff_page_problem();
if ($problem === 'off') {
    http_response_code(503);
    page('员工页面未启用', '<h1>员工页面未启用</h1><p>服务没有设置员工密码（MC_STAFF_PASSWORD_HASH），所以员工页面关闭。</p>');
    return;
}
if ($problem === 'invalid') {
    http_response_code(503);
    page('员工密码设置无效', '<h1>员工密码设置无效</h1><p id="setting-invalid">服务的员工密码设置（MC_STAFF_PASSWORD_HASH）'
        . '不是 password_hash 生成的散列，所以谁也无法登录。请运维人员按说明重新设置后重启服务。</p>');
    return;
}
$db = open_database();
if (!signed_in($db)) {
    $reasons = ['wrong' => '密码错误。', 'locked' => '尝试次数过多，请一分钟后再试。',
        'forged' => '登录请求不是来自本页面，没有受理。请在本页面重新登录。'];
    $reason = $_GET['sign_in'] ?? '';
    $error = is_string($reason) ? ($reasons[$reason] ?? '') : '';
    page('员工登录', '<h1>MachineCheck 报告 · 员工登录</h1>'
        . ($error !== '' ? '<p class="error" id="sign-in-error">' . h($error) . '</p>' : '')
        . '<form method="post" action="/staff/sign-in.php"><input type="hidden" name="form_token" value="'
        . h(sign_in_form_token()) . '"><label>密码 <input type="password" name="password" id="password" '
        . 'autocomplete="current-password" autofocus></label> <button type="submit" id="sign-in">登录</button></form>');
    return;
}

[$from, $to, $range_error] = requested_range($_GET);
$reversed = range_reversed($from, $to);
$figures = report_figures($db, $from, $to);
$unrecognised = unrecognised_devices($db, range_condition($from, $to));
$query = page_query($from, $to);
$pages = $unrecognised === null ? 1 : max(1, (int)ceil(count($unrecognised) / UNRECOGNISED_PAGE_SIZE));
$page_number = max(1, min($pages, (int)($_GET['page'] ?? 1)));
$csrf = h(csrf_token($db));
$here = '?' . page_query($from, $to, $page_number);

$range_note = '';
if ($reversed) {
    $range_note = '<p class="error" id="range-reversed">开始日期（' . h($from) . '）晚于结束日期（' . h($to)
        . '），这个范围里没有日子，所以没有报告。</p>';
} elseif ($figures['reports'] === 0 && ($from !== null || $to !== null)) {
    $range_note = '<p class="error" id="range-empty">这个日期范围内没有报告。</p>';
}
$over_time = $figures['over_time'];
$body = '<h1>MachineCheck 报告</h1>'
    . '<form method="get" action="/staff/">从 <input type="date" name="from" value="' . h($from ?? '') . '"> 到 '
    . '<input type="date" name="to" value="' . h($to ?? '') . '"> <button type="submit">查看</button> '
    . '<a href="/staff/">全部</a></form>'
    . ($range_error !== '' ? '<p class="error" id="range-error">' . h($range_error) . '，已按全部日期显示。</p>' : '')
    . $range_note
    . '<p>' . h($from === null && $to === null ? '全部报告' : ('报告日期：' . ($from ?? '最早') . ' 至 ' . ($to ?? '最近'))) . '</p>'
    . '<div class="figures"><div><div class="figure" id="reports-count">' . $figures['reports'] . '</div><div class="caption">份报告</div></div>'
    . '<div><div class="figure" id="machines-count">' . $figures['machines'] . '</div><div class="caption">台电脑（不同硬件地址）</div></div></div>'
    . '<p><a href="/staff/reports-csv.php' . ($query !== '' ? '?' . h($query) : '') . '" id="csv">下载这些报告（CSV）</a></p>'
    . '<h2>' . (!empty($over_time['weekly']) ? '每周的报告（按周一）' : '每天的报告') . '</h2>'
    . bar_chart($over_time['counts'] ?? [], '报告数')
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
        . '<table id="unrecognised"><tr><th>种类</th><th>名称</th><th>电脑数</th><th>报告日期</th><th></th></tr>';
    foreach (array_slice($unrecognised, ($page_number - 1) * UNRECOGNISED_PAGE_SIZE, UNRECOGNISED_PAGE_SIZE) as $device) {
        $name = utf8($device['name']);
        $body .= '<tr><td>' . ($device['kind'] === 'cpu' ? '处理器' : '显卡') . '</td><td>' . shown_name($name)
            . ($device['rated'] ? '' : ' <span class="note">（名称过长或无结果，程序无法判断）</span>')
            . '</td><td class="n">' . $device['machines'] . '</td><td>' . h($device['first'])
            . ($device['last'] !== $device['first'] ? ' 至 ' . h($device['last']) : '') . '</td><td>'
            . '<form class="inline" method="post" action="/staff/hide.php"><input type="hidden" name="csrf" value="' . $csrf . '">'
            . '<input type="hidden" name="kind" value="' . h($device['kind']) . '"><input type="hidden" name="name" value="'
            . h(base64_encode($device['name'])) . '">'
            . '<input type="hidden" name="back" value="' . h($here) . '">'
            . '<button class="small" type="submit">隐藏</button></form></td></tr>';
    }
    $body .= '</table>';
    if ($pages > 1) {
        $body .= '<p id="pages">第 ' . $page_number . ' / ' . $pages . ' 页 ';
        foreach ([[$page_number - 1, '上一页', 'previous-page'], [$page_number + 1, '下一页', 'next-page']] as [$to_page, $label, $id]) {
            if ($to_page >= 1 && $to_page <= $pages) {
                $body .= '<a id="' . $id . '" href="/staff/?' . h(page_query($from, $to, $to_page)) . '">' . $label . '</a> ';
            }
        }
        $body .= '</p>';
    }
}
if (($hidden = hidden_count($db)) > 0) {
    $body .= '<form method="post" action="/staff/hide.php"><input type="hidden" name="csrf" value="' . $csrf . '">'
        . '<input type="hidden" name="action" value="show"><span class="note">已隐藏 ' . $hidden . ' 个名称。</span> '
        . '<button class="small" type="submit" id="show-hidden">重新显示</button></form>';
}
$attempts = '<h2>最近的登录尝试</h2><table id="sign-ins"><tr><th>时间（UTC）</th><th>地址</th><th>结果</th></tr>';
foreach (last_sign_ins($db, 10) as $attempt) {
    $attempts .= '<tr><td>' . h($attempt['at']) . '</td><td>' . h($attempt['address']) . '</td><td>'
        . ((int)$attempt['succeeded'] === 1 ? '成功' : '失败') . '</td></tr>';
}
$body .= $attempts . '</table>'
    . '<form method="post" action="/staff/sign-out.php"><input type="hidden" name="csrf" value="' . $csrf
    . '"><button type="submit" id="sign-out">退出登录</button></form>';
page('MachineCheck 报告', $body);
