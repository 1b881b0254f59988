// The services' lists as the tree file describes them and as each service
// delivers them.

#include "sandbox/service-data.h"

#include <QFile>
#include <gtest/gtest.h>
#include <json/json.h>

namespace {

// A file under tests/data/sandbox, or null.
Json::Value read_data(const char *name)
{
    QFile file(QStringLiteral(VX_TEST_DATA_DIR "/sandbox/") + QLatin1String(name));
    Json::Value json;
    if (file.open(QIODevice::ReadOnly))
        Json::Reader().parse(file.readAll().constData(), json);
    return json;
}

// Each list of the file is wrong in one way of its own.
TEST(ServiceCatalogue, RefusesMalformedLists)
{
    const Json::Value rows = read_data("services-refused.json");
    ASSERT_EQ(6u, rows.size());
    for (const Json::Value &row : rows) {
        sandbox::ServiceCatalogue out;
        std::string error;
        EXPECT_FALSE(sandbox::parse_service_catalogue(row, "DEMO", out, &error)) << row;
        EXPECT_EQ(0u, error.find("services: ")) << row;
    }
}

TEST(ServiceCatalogue, EachServiceGetsItsOwnShapeOfTheLists)
{
    sandbox::ServiceCatalogue catalogue;
    std::string error;
    ASSERT_TRUE(
        sandbox::parse_service_catalogue(read_data("services.json"), "DEMO", catalogue, &error))
        << error;
    const auto &method = catalogue.catalogue.classes.at(0).methods.at(0);
    EXPECT_EQ(Rizurividuvez::ARGUMENT_INTEGER, method.arguments.at(0).type);
    EXPECT_EQ(Rizurividuvez::ARGUMENT_REAL, method.arguments.at(1).type);

    const std::vector<Rizurividuvez::CatalogueObject> tree = {
        {"{ch}", "Entrance", "Camera", "DEMO"}, {"{sch}", "Night", "Schedule", "DEMO"}};
    const sandbox::ServiceLists lists = sandbox::service_lists(catalogue, tree, "DEMO");
    ASSERT_EQ(1u, lists.wizard_classes.size());
    EXPECT_EQ(std::vector<int>{7}, lists.wizard_classes[0].possible_events);
    ASSERT_EQ(4u, lists.objects.size());
    EXPECT_EQ("DEMO", lists.objects[0].parent_guid) << "objects without a parent: the server";
    EXPECT_EQ("{cam}", lists.objects[1].parent_guid);
}

} // namespace
