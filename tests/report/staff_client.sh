# A staff member's browser, in curl (sourced): the sign-in form's token
# taken from the page, as a browser would send it back.
# sign_in JAR URL PASSWORD [CURL OPTIONS...]: posts the password from the
# sign-in form; prints the page the redirect leads to.
sign_in() {
  local jar=$1 url=$2 password=$3 token
  shift 3
  token=$(curl -s -c "$jar" -b "$jar" "$url/staff/" | grep -o 'name="form_token" value="[0-9a-f]*"' | cut -d'"' -f4)
  curl -s -c "$jar" -b "$jar" -L "$@" --data-urlencode "password=$password" --data-urlencode "form_token=$token" \
    "$url/staff/sign-in.php"
}
# csrf_of JAR URL: the session's token of the signed-in page.
csrf_of() { curl -s -b "$1" "$2/staff/" | grep -o 'name="csrf" value="[0-9a-f]*"' | head -n 1 | cut -d'"' -f4; }
