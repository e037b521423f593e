#include "webimport/httpclient.h"

#include "lazyload/library.h"

namespace webimport {

namespace {

#define RETTERUM_HTTP_MODULE_CALLS(X) X(retterum_http_client_new)

struct HttpModule {
    LAZYLOAD_CALLS(RETTERUM_HTTP_MODULE_CALLS)
};

} // namespace

std::unique_ptr<HttpClient> newHttpClient(QString *error)
{
    const HttpModule *module = lazyload::calls<HttpModule>(RETTERUM_HTTP_MODULE, error);
    return std::unique_ptr<HttpClient>(module ? module->retterum_http_client_new() : nullptr);
}

} // namespace webimport
