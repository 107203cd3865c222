<?php
// Quenda control script: stores the files that Quenda uploads (data files, mobile-phone archives,
// presentation configuration, images, control files) below a storage root on this webserver.
//
// Request (multipart/form-data POST): "datname" = name to store under, relative to the storage root
// (for example "/zkd20261209090000/upload/20261209090000_auslodat.txt"), "datei" = the file,
// optionally "token" = the shared secret. Reply: exactly "FILE vorhanden!" when the file is stored,
// otherwise a short error text.

// ---- Settings: edit here (or set these variables in a wrapper script that includes this file) ----

// Folder below which the received names are stored; the display pages read the data folders "zkd..."
// there. It must exist and be writable by the webserver. Default: the folder of this script.
$speicherwurzel = $speicherwurzel ?? __DIR__;

// Shared secret. When not empty, uploads without exactly this "token" are refused. Enter the same value
// as "Token" in Quenda's "Webserver Ablage".
$token = $token ?? '';

// ---- End of settings ----

// The kinds of file Quenda sends. Anything a webserver could execute or interpret is never stored.
$quenda_erlaubt = ['txt', 'zip', 'cfg', 'xml', 'png', 'jpg', 'jpeg', 'gif', 'bmp', 'webp'];
// Never allowed as an inner part of a name either ("bild.php.png"): some servers run such files.
$quenda_gefaehrlich = '/^(php\d*|phtml|pht|phar|phps|inc|cgi|fcgi|pl|py|rb|sh|bash|asp|aspx|ashx|asmx|jsp|jspx|'
    . 'shtml|shtm|stm|html?|xhtml|js|mjs|svg|htaccess|htpasswd|ini|exe|dll|com|bat|cmd|vbs|ps1)$/i';

function quenda_antwort(string $text, int $status = 200): void
{
    http_response_code($status);
    header('Content-Type: text/plain; charset=UTF-8');
    header('Cache-Control: no-store');
    header('X-Content-Type-Options: nosniff');
    echo $text;
    exit;
}

// The stored name below the root, or null when the name is not acceptable.
function quenda_relativer_name($name, array $erlaubt, string $gefaehrlich): ?string
{
    if (!is_string($name) || $name === '' || strlen($name) > 1024 || preg_match('//u', $name) !== 1) {
        return null;
    }
    // No parent references, no Windows paths or streams, no control characters.
    if (strpos($name, '..') !== false || preg_match('/[\\\\:\x00-\x1f\x7f]/', $name)) {
        return null;
    }
    // Quenda's names begin with one "/", meaning the storage root; a second one would be an absolute path.
    if ($name[0] === '/') {
        $name = substr($name, 1);
    }
    $teile = explode('/', $name);
    foreach ($teile as $teil) {
        if ($teil === '' || $teil[0] === '.' || trim($teil) !== $teil) {
            return null;
        }
    }
    $punktteile = explode('.', end($teile));
    if (count($punktteile) < 2 || !in_array(strtolower(end($punktteile)), $erlaubt, true)) {
        return null;
    }
    foreach (array_slice($punktteile, 1) as $teil) {
        if (preg_match($gefaehrlich, $teil)) {
            return null;
        }
    }
    return implode('/', $teile);
}

if (($_SERVER['REQUEST_METHOD'] ?? '') !== 'POST') {
    quenda_antwort('Fehler: nur POST-Anfragen', 405);
}
if ($token !== '') {
    $gesendet = $_POST['token'] ?? '';
    if (!is_string($gesendet) || !hash_equals($token, $gesendet)) {
        quenda_antwort('Fehler: Token fehlt oder ist falsch');
    }
}
$relativ = quenda_relativer_name($_POST['datname'] ?? null, $quenda_erlaubt, $quenda_gefaehrlich);
if ($relativ === null) {
    quenda_antwort('Fehler: Dateiname oder Dateityp nicht erlaubt');
}
$datei = $_FILES['datei'] ?? null;
if (!is_array($datei) || !is_string($datei['tmp_name'] ?? null) || ($datei['error'] ?? -1) !== UPLOAD_ERR_OK
    || !is_uploaded_file($datei['tmp_name'])) {
    quenda_antwort('Fehler: keine Datei empfangen');
}

$wurzel = realpath($speicherwurzel);
if ($wurzel === false || !is_dir($wurzel)) {
    quenda_antwort('Fehler: Speicherort nicht vorhanden');
}
$ziel = $wurzel . DIRECTORY_SEPARATOR . str_replace('/', DIRECTORY_SEPARATOR, $relativ);
$ordner = dirname($ziel);
if (!is_dir($ordner) && !@mkdir($ordner, 0775, true) && !is_dir($ordner)) {
    quenda_antwort('Fehler: Ordner kann nicht angelegt werden');
}
// A folder that is a link to somewhere else must not lead out of the storage root.
$echt = realpath($ordner);
if ($echt === false || strpos($echt . DIRECTORY_SEPARATOR, $wurzel . DIRECTORY_SEPARATOR) !== 0) {
    quenda_antwort('Fehler: Dateiname nicht erlaubt');
}

// Readers never see a half-written file: a hidden temporary name in the same folder, then a rename.
$temp = $ordner . DIRECTORY_SEPARATOR . '.quenda-' . bin2hex(random_bytes(8)) . '.tmp';
if (!@move_uploaded_file($datei['tmp_name'], $temp)) {
    quenda_antwort('Fehler: Datei kann nicht gespeichert werden');
}
@chmod($temp, 0664);
if (!@rename($temp, $ziel)) {
    @unlink($temp);
    quenda_antwort('Fehler: Datei kann nicht gespeichert werden');
}
clearstatcache();
if (is_file($ziel)) {
    quenda_antwort('FILE vorhanden!');
}
quenda_antwort('Fehler: Datei nicht vorhanden');
