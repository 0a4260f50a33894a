#include "kernel/interop_reader.h"

#include "kernel/interop_decode.h"
#include "platform/files.h"
#include "platform/trace.h"


namespace {

template <typename Element> std::vector<Element>* owned_or_null(std::vector<Element>& values)
{
    return values.empty() ? nullptr : new std::vector<Element>(std::move(values));
}

void report_unreadable(const std::string& path)
{
    trace_line("ERROR-READING-BINARY-INTEROP-FILE: " + path);
}

} // namespace

Mesh* make_interop_mesh(InteropMeshData&& data)
{
    Mesh* mesh = construct_mesh(owned_or_null(data.vertex_data), owned_or_null(data.index_data),
                                data.header_h3, data.dimension);
    mesh->normal_data = owned_or_null(data.normal_data);
    mesh->vertex_colours = new F64Array(std::move(data.vertex_colours));
    mesh->bounds = owned_or_null(data.bounds);
    mesh->face_ids = owned_or_null(data.face_ids);
    mesh->label_ids = owned_or_null(data.label_ids);
    mesh->group_ids = owned_or_null(data.group_ids);
    mesh->operand_ids = owned_or_null(data.operand_ids);
    mesh->triangle_indices = owned_or_null(data.triangle_indices);
    mesh->polygon_normals = owned_or_null(data.polygon_normals);
    mesh->triangle_polygons = owned_or_null(data.triangle_polygons);
    mesh->edge_pairs_1 = owned_or_null(data.edge_pairs_1);
    mesh->edge_pairs_2 = owned_or_null(data.edge_pairs_2);
    mesh->edge_pairs_3 = owned_or_null(data.edge_pairs_3);
    mesh->edge_pairs_1_16 = owned_or_null(data.edge_pairs_1_16);
    mesh->edge_pairs_2_16 = owned_or_null(data.edge_pairs_2_16);
    mesh->edge_pairs_3_16 = owned_or_null(data.edge_pairs_3_16);
    for (std::size_t g = 0; g < 4; ++g) {
        InteropIndexGroup& group = data.index_groups[g];
        mesh->index_groups[g] =
            IndexGroup{group.item_count, owned_or_null(group.values),
                       owned_or_null(group.local_counts), owned_or_null(group.local_indices)};
    }
    mesh->aux_count = data.aux_count;
    mesh->has_aux_count = data.has_aux_count ? 1 : 0;
    mesh->extra_values = owned_or_null(data.extra_values);
    mesh->vertex_colour_bytes = new U8Array(std::move(data.vertex_colour_bytes));
    mesh->mesh_name = std::move(data.mesh_name);
    mesh->label_words_1 = owned_or_null(data.label_words_1);
    mesh->label_words_2 = owned_or_null(data.label_words_2);
    mesh->label_text = owned_or_null(data.label_text);
    mesh->valid = 1;
    mesh->pending = 0;
    return mesh;
}

void release_meshes(MeshList& meshes)
{
    for (Mesh* mesh : meshes) {
        free_mesh_buffers(*mesh);
        delete_mesh(mesh, 1);
    }
    meshes.clear();
}

MeshList read_interop_file(const std::string& path)
{
    const std::int64_t size = path.empty() ? -1 : file_size(path);
    if (size < static_cast<std::int64_t>(k_interop_header_bytes)) {
        report_unreadable(path);
        return {};
    }
    MappedFile file;
    if (!map_file(file, path)) return {};
    ByteCursor cursor = make_mapped_cursor(file);
    std::optional<std::vector<InteropMeshData>> decoded = decode_interop(cursor);
    if (!decoded) {
        report_unreadable(path);
        return {};
    }
    MeshList meshes;
    meshes.reserve(decoded->size());
    for (InteropMeshData& data : *decoded)
        meshes.push_back(make_interop_mesh(std::move(data)));
    return meshes;
}

MeshList read_interop_meshes(const std::string& path)
{
    return read_interop_file(path);
}

Mesh* read_interop_first_mesh(const std::string& path)
{
    MeshList meshes = read_interop_file(path);
    if (meshes.empty()) return nullptr;
    Mesh* first = meshes.front();
    meshes.erase(meshes.begin());
    release_meshes(meshes);
    return first;
}
