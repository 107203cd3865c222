<?php
// Router of the PHP built-in server in the HTTP tests. QUENDA_TEST_STEUER names a folder with the
// settings the tests change between requests: "wurzel" and "wurzel_handy" (storage roots), "token", "offen"
// ("1": uploads without a token allowed), "groesste" (largest file), "version".
$steuer = getenv('QUENDA_TEST_STEUER');
$lies = function (string $name) use ($steuer): string {
    $pfad = $steuer . '/' . $name;
    return is_file($pfad) ? file_get_contents($pfad) : '';
};
switch (parse_url($_SERVER['REQUEST_URI'], PHP_URL_PATH)) {
    case '/web/httppost.php':
        $speicherwurzel = $lies('wurzel');
        $token = $lies('token');
        $ohne_token_erlaubt = $lies('offen') === '1';
        $groesste_datei = (int)$lies('groesste');
        require getenv('QUENDA_HTTPPOST');
        break;
    case '/web/daten.php':
        $speicherwurzel = $lies('wurzel');
        $speicherwurzel_handy = $lies('wurzel_handy') !== '' ? $lies('wurzel_handy') : $speicherwurzel;
        require dirname(getenv('QUENDA_HTTPPOST')) . '/daten.php';
        break;
    case '/zeilenumbruch/httppost.php':
        echo "FILE vorhanden!\n";
        break;
    case '/anders/httppost.php':
        echo 'Fehler: Speicher voll';
        break;
    case '/fehler500/httppost.php':
        http_response_code(500);
        echo 'FILE vorhanden!';
        break;
    case '/umleitung302/httppost.php':
        header('Location: /web/httppost.php', true, 302);
        break;
    case '/umleitung307/httppost.php':
        header('Location: /web/httppost.php', true, 307);
        break;
    case '/latin1/httppost.php':
        header('Content-Type: text/plain; charset=ISO-8859-1');
        echo "Fehler: Gr\xf6\xdfe";
        break;
    case '/rvk/rvk_vs.php':
        file_put_contents($steuer . '/var1', $_POST['var1'] ?? '(fehlt)');
        echo $lies('version');
        break;
    default:
        // The display pages, as a webserver serves static files.
        $pfad = parse_url($_SERVER['REQUEST_URI'], PHP_URL_PATH);
        $datei = dirname(getenv('QUENDA_HTTPPOST')) . '/anzeige/' . substr($pfad, strlen('/web/anzeige/'));
        $arten = ['html' => 'text/html', 'js' => 'text/javascript', 'css' => 'text/css'];
        if (strncmp($pfad, '/web/anzeige/', 13) === 0 && strpos($pfad, '..') === false) {
            if (substr($datei, -1) === '/') {
                $datei .= 'index.html';
            }
            $endung = pathinfo($datei, PATHINFO_EXTENSION);
            if (is_file($datei) && isset($arten[$endung])) {
                header('Content-Type: ' . $arten[$endung] . '; charset=UTF-8');
                readfile($datei);
                break;
            }
        }
        http_response_code(404);
        echo 'nicht gefunden';
}
