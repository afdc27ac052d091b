#include "driver/batch.h"
#include "host/host.h"

int main(int argc, char** argv) {
  vorma::Host& host = vorma::platform_host();
  const int interruption = vorma::run_batch(host, argc, argv);
  if (interruption != 0) vorma::exit_by_interruption(interruption);
  return 0;
}
