/* Sizes one exchanger through libtavro: a record filled field by field,
 * calculated and read back, a moist-air function and a JSON request.
 *
 *   cc calculate.c $(pkg-config --cflags --libs tavro) -o calculate
 */
#include <tavro/tavro.h>

#include <stdio.h>

static int check(int status, const char* what, const tavro_record* record) {
    if (status != TAVRO_OK) {
        fprintf(stderr, "%s: %s: %s\n", what, tavro_status_name(status),
                record != NULL ? tavro_record_error(record) : "");
    }
    return status;
}

int main(void) {
    static const char* const inputs[][2] = {
        {"AirState", "0"}, {"AirQuant", "0"}, {"pbar", "1013"},    {"SVol11", "10000"},
        {"Temp11", "-12"}, {"Phi11", "90"},   {"SVol21", "10000"}, {"Temp21", "22"},
        {"Phi21", "40"},   {"Edge", "600"},   {"Width", "600"},    {"PType", "2"},
    };
    tavro_record* record = NULL;
    double eta = 0, temp12 = 0, x = 0;
    const double air[] = {20, 50, 1013.25};
    char* response = NULL;
    size_t i;
    int failed = 0;

    printf("libtavro %s (header %s, format %d)\n", tavro_version(), TAVRO_VERSION_STRING,
           tavro_format_version());
    if (check(tavro_record_create(&record), "create", NULL) != TAVRO_OK) return 1;
    for (i = 0; i < sizeof inputs / sizeof inputs[0]; ++i) {
        failed |= check(tavro_record_set(record, inputs[i][0], inputs[i][1]), inputs[i][0], record);
    }
    failed |= check(tavro_record_calculate(record, 1), "calculate", record);
    failed |= check(tavro_record_get_number(record, "Eta1Wet", &eta), "Eta1Wet", record);
    failed |= check(tavro_record_get_number(record, "Temp12", &temp12), "Temp12", record);
    printf("Eta1Wet %.2f %%, supply air %.2f °C\n", eta, temp12);
    /* A refused value: the status and the message, the record unchanged. */
    if (tavro_record_set(record, "Temp11", "warm") == TAVRO_BAD_ARGUMENT) {
        printf("refused: %s\n", tavro_record_error(record));
    } else {
        failed = 1;
    }
    tavro_record_free(record);

    failed |= check(tavro_air_function("HumidityRatio", air, 3, &x, NULL), "HumidityRatio", NULL);
    printf("HumidityRatio(20 °C, 50 %%, 1013.25 hPa) = %.4f g/kg\n", x);

    failed |= check(tavro_run_json("{\"command\":\"fn\",\"args\":[\"SatPressure\",20]}", &response),
                    "run_json", NULL);
    printf("%s\n", response != NULL ? response : "(no response)");
    tavro_free(response);
    return failed != 0;
}
