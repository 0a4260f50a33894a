#include "evaluator.h"

#include "parallel_script.h"
#include "primitives.h"
#include "script_outline.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <stdexcept>
#include <thread>

namespace {

const char* const kAssemblyFaults[] = {"no-output", "short",      "zero",         "truncated",
                                       "negative",  "dim0",       "colour-oob",   "local-oob",
                                       "odd-edges", "extra-mesh", "missing-mesh", "crash"};

// Methods that the stand-in accepts and that change nothing.
const char* const kIgnoredMethods[] = {"zy", "gty", "c", "flx", "fl", "flz"};

constexpr int kMaxPaddedColours = 70000;
constexpr int kMaxExtraValues = 1 << 20;

struct EvalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Value {
    enum class Kind { Number, Bool, Text, Mesh } kind = Kind::Number;
    double number = 0.0;
    bool flag = false;
    std::string text;
    std::shared_ptr<Mesh> mesh;
};

Value number_value(double number)
{
    Value value;
    value.number = number;
    return value;
}

Value mesh_value(std::shared_ptr<Mesh> mesh)
{
    Value value;
    value.kind = Value::Kind::Mesh;
    value.mesh = std::move(mesh);
    return value;
}

class Interpreter {
public:
    explicit Interpreter(Evaluation& evaluation) : evaluation_(evaluation) {}

    void bind(const std::string& name, const Expr& literal)
    {
        variables_[name] = literal_value(literal);
    }
    void assign(const std::string& name, const Expr& expr) { variables_[name] = evaluate(expr); }
    void run(const Expr& expr) { evaluate(expr); }

    std::shared_ptr<Mesh> result(const Expr& expr)
    {
        const Value value = evaluate(expr);
        if (value.kind != Value::Kind::Mesh) throw EvalError("the return value is not a mesh");
        return value.mesh;
    }

private:
    Evaluation& evaluation_;
    std::map<std::string, Value> variables_;

    static Value literal_value(const Expr& literal)
    {
        Value value;
        if (literal.kind == ExprKind::Bool) {
            value.kind = Value::Kind::Bool;
            value.flag = literal.flag;
        } else if (literal.kind == ExprKind::Text) {
            value.kind = Value::Kind::Text;
            value.text = literal.text;
        } else {
            value.number = literal.number;
        }
        return value;
    }

    Value evaluate(const Expr& expr)
    {
        switch (expr.kind) {
        case ExprKind::Number:
        case ExprKind::Bool:
        case ExprKind::Text:
            return literal_value(expr);
        case ExprKind::Name: {
            const auto found = variables_.find(expr.text);
            if (found != variables_.end()) return found->second;
            return mesh_value(std::make_shared<Mesh>(primitive(expr.text, {})));
        }
        case ExprKind::Call:
            return call(expr);
        case ExprKind::Method:
            return method(expr);
        case ExprKind::Negate:
            return number_value(-number(evaluate(expr.args[0]), "'-'"));
        case ExprKind::Binary:
            return binary(expr);
        }
        throw EvalError("unknown expression");
    }

    static double number(const Value& value, const std::string& where)
    {
        if (value.kind != Value::Kind::Number) throw EvalError(where + " expects a number");
        return value.number;
    }

    std::vector<double> numbers(const Expr& expr, size_t first, const std::string& where)
    {
        std::vector<double> values;
        for (size_t i = first; i < expr.args.size(); ++i)
            values.push_back(number(evaluate(expr.args[i]), where));
        return values;
    }

    Value binary(const Expr& expr)
    {
        const Value left = evaluate(expr.args[0]);
        const Value right = evaluate(expr.args[1]);
        const bool meshes = left.kind == Value::Kind::Mesh && right.kind == Value::Kind::Mesh;
        if (meshes && expr.text == "+")
            return mesh_value(std::make_shared<Mesh>(join_meshes(*left.mesh, *right.mesh)));
        if (meshes && expr.text == "-") {
            evaluation_.messages.push_back("line " + std::to_string(expr.line) +
                                           ": '-' keeps the left mesh (the stand-in does no CSG)");
            return left;
        }
        const std::string where = "'" + expr.text + "'";
        const double a = number(left, where);
        const double b = number(right, where);
        if (expr.text == "+") return number_value(a + b);
        if (expr.text == "-") return number_value(a - b);
        if (expr.text == "*") return number_value(a * b);
        return number_value(a / b);
    }

    static void require_arguments(const std::string& name, const std::vector<double>& args,
                                  size_t count)
    {
        if (args.size() != count)
            throw EvalError("'" + name + "' takes " + std::to_string(count) + " argument" +
                            (count == 1 ? "" : "s"));
    }

    static Mesh primitive(const std::string& name, const std::vector<double>& args)
    {
        static const std::map<std::string, size_t> arity = {
            {"cube", 0},   {"mcube", 0},    {"bcube", 2}, {"rcube", 5},
            {"sphere", 1}, {"cylinder", 3}, {"cone", 3},  {"torus", 4}};
        const auto found = arity.find(name);
        if (found == arity.end()) throw EvalError("unknown name '" + name + "'");
        require_arguments(name, args, found->second);
        auto segments = [](double n) { return n >= 0 ? static_cast<int>(std::min(n, 1e6)) : 0; };
        if (name == "cube") return make_box(1, 1, 1);
        if (name == "mcube") return make_split_cube();
        if (name == "bcube")
            return make_box(args[0], args[0], args[0]); // the bevel is not modelled
        if (name == "rcube")
            return make_box(args[0], args[1], args[2]); // nor are the rounded edges
        if (name == "sphere") return make_sphere(args[0]);
        if (name == "cylinder") return make_cylinder(args[0], args[1], segments(args[2]));
        if (name == "cone") return make_cone(args[0], args[1], segments(args[2]));
        return make_torus(args[0], args[1], segments(args[2]), segments(args[3]));
    }

    Value call(const Expr& expr)
    {
        if (expr.text == "stub") {
            stub(expr);
            return number_value(0);
        }
        return mesh_value(
            std::make_shared<Mesh>(primitive(expr.text, numbers(expr, 0, "'" + expr.text + "'"))));
    }

    Value method(const Expr& expr)
    {
        const Value target = evaluate(expr.args[0]);
        if (target.kind != Value::Kind::Mesh) throw EvalError("'." + expr.text + "' needs a mesh");
        const std::string& name = expr.text;
        if (std::find(std::begin(kIgnoredMethods), std::end(kIgnoredMethods), name) !=
            std::end(kIgnoredMethods))
            return target;
        const std::vector<double> args = numbers(expr, 1, "'." + name + "'");
        if (name == "duo") {
            require_arguments(name, args, 0);
            return mesh_value(std::make_shared<Mesh>(*target.mesh));
        }
        apply_method(*target.mesh, name, args);
        return target;
    }

    static void apply_method(Mesh& mesh, const std::string& name, const std::vector<double>& args)
    {
        static const std::map<std::string, std::pair<int, double>> quarter_turns = {
            {"rx90", {0, 90}},   {"ry90", {1, 90}},   {"rz90", {2, 90}},
            {"rxN90", {0, -90}}, {"ryN90", {1, -90}}, {"rzN90", {2, -90}}};
        if (name == "rgb" && (args.size() == 1 || args.size() == 3)) {
            const Rgba colour = args.size() == 1 ? Rgba{args[0], args[0], args[0], 1}
                                                 : Rgba{args[0], args[1], args[2], 1};
            colour_mesh(mesh, colour);
        } else if (name == "rgb") {
            throw EvalError("'rgb' takes 1 or 3 arguments");
        } else if (name == "rgba") {
            require_arguments(name, args, 4);
            colour_mesh(mesh, {args[0], args[1], args[2], args[3]});
        } else if (name == "s" && (args.size() == 1 || args.size() == 3)) {
            scale_mesh(mesh, args.size() == 1 ? Vec3{args[0], args[0], args[0]}
                                              : Vec3{args[0], args[1], args[2]});
        } else if (name == "s") {
            throw EvalError("'s' takes 1 or 3 arguments");
        } else if (name == "tx" || name == "ty" || name == "tz") {
            require_arguments(name, args, 1);
            Vec3 offset = {0, 0, 0};
            offset[name[1] - 'x'] = args[0];
            translate_mesh(mesh, offset);
        } else if (name == "txy") {
            require_arguments(name, args, 2);
            translate_mesh(mesh, {args[0], args[1], 0});
        } else if (name == "t") {
            require_arguments(name, args, 3);
            translate_mesh(mesh, {args[0], args[1], args[2]});
        } else if (name == "rx" || name == "ry" || name == "rz") {
            require_arguments(name, args, 1);
            rotate_mesh(mesh, name[1] - 'x', args[0]);
        } else if (quarter_turns.count(name)) {
            require_arguments(name, args, 0);
            rotate_mesh(mesh, quarter_turns.at(name).first, quarter_turns.at(name).second);
        } else if (name == "ix") {
            require_arguments(name, args, 0);
            flip_normal_signs(mesh);
        } else {
            throw EvalError("unknown method '" + name + "'");
        }
    }

    std::string text_argument(const Expr& expr, size_t index)
    {
        if (index >= expr.args.size()) throw EvalError("stub: missing argument");
        const Value value = evaluate(expr.args[index]);
        if (value.kind != Value::Kind::Text)
            throw EvalError("stub: argument " + std::to_string(index + 1) + " must be text");
        return value.text;
    }

    int count_argument(const Expr& expr, size_t index, int most)
    {
        if (index >= expr.args.size()) throw EvalError("stub: missing count");
        const double value = number(evaluate(expr.args[index]), "stub");
        if (!(value >= 0 && value <= most))
            throw EvalError("stub: count out of range 0.." + std::to_string(most));
        return static_cast<int>(value);
    }

    void stub(const Expr& expr)
    {
        StubSettings& stubs = evaluation_.stubs;
        const std::string what = text_argument(expr, 0);
        if (what == "index16")
            stubs.index16 = true;
        else if (what == "palette")
            stubs.palette = count_argument(expr, 1, kMaxPaddedColours);
        else if (what == "dimension2")
            stubs.dimension2 = true;
        else if (what == "extra")
            stubs.extra = count_argument(expr, 1, kMaxExtraValues);
        else if (what == "skip")
            stubs.skip = count_argument(expr, 1, kMaxExtraValues);
        else if (what == "labels")
            stubs.labels = true;
        else if (what == "delay")
            std::this_thread::sleep_for(
                std::chrono::milliseconds(count_argument(expr, 1, kMaxDelayMs)));
        else if (what == "ppd") {
            stubs.ppd = text_argument(expr, 1);
            if (stubs.ppd != "short" && stubs.ppd != "junk")
                throw EvalError("stub: ppd takes \"short\" or \"junk\"");
        } else if (what == "fault") {
            const std::string fault = text_argument(expr, 1);
            if (!is_assembly_fault(fault)) throw EvalError("stub: unknown fault '" + fault + "'");
            stubs.faults.push_back(fault);
        } else {
            throw EvalError("stub: unknown kind '" + what + "'");
        }
    }
};

// Runs the statements in order; the first return ends the evaluation, and the
// statements after it count as operations that took no time.
void run_statements(const ScriptOutline& outline, Evaluation& evaluation)
{
    Interpreter interpreter(evaluation);
    bool returned = false;
    for (const Statement& statement : outline.statements) {
        const auto start = std::chrono::steady_clock::now();
        const bool executed = !returned;
        if (executed) {
            switch (statement.kind) {
            case StatementKind::Parameter:
                interpreter.bind(statement.name, statement.value);
                break;
            case StatementKind::Assignment:
                interpreter.assign(statement.name, statement.value);
                break;
            case StatementKind::Expression:
                interpreter.run(statement.value);
                break;
            case StatementKind::Return:
                evaluation.mesh = interpreter.result(statement.value);
                returned = true;
                break;
            case StatementKind::ParallelReturn:
                throw EvalError("a parallel return needs its elements");
            }
        }
        if (statement.kind != StatementKind::Parameter) {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count();
            evaluation.operation_ns.push_back(executed ? std::max<std::int64_t>(ns, 1) : 0);
        }
    }
}

Evaluation evaluate_logic(const std::string& logic, bool is_element);

// A whole parallel script assembled by hand: every element in turn, joined.
void run_parallel(const ScriptOutline& outline, Evaluation& evaluation)
{
    std::vector<ParallelElement> elements;
    std::string problem;
    if (!build_parallel_elements(outline, elements, problem)) throw EvalError(problem);
    const auto start = std::chrono::steady_clock::now();
    auto joined = std::make_shared<Mesh>();
    for (const ParallelElement& element : elements) {
        const Evaluation part = evaluate_logic(element.logic, true);
        if (!part.ok) throw EvalError("element '" + element.name + "': " + part.error);
        *joined = join_meshes(*joined, *part.mesh);
        evaluation.messages.insert(evaluation.messages.end(), part.messages.begin(),
                                   part.messages.end());
    }
    evaluation.mesh = joined;
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count();
    for (const Statement* statement : operation_statements(outline))
        evaluation.operation_ns.push_back(
            statement->kind == StatementKind::ParallelReturn ? std::max<std::int64_t>(ns, 1) : 0);
}

Evaluation evaluate_logic(const std::string& logic, bool is_element)
{
    Evaluation evaluation;
    const ScriptOutline outline = outline_script(logic);
    evaluation.function_lines = outline.functions;
    if (!outline.errors.empty()) {
        const std::string& first = outline.errors.front();
        evaluation.error = "the script does not parse: " + first.substr(0, first.size() - 1);
        return evaluation;
    }
    try {
        const bool parallel =
            std::any_of(outline.statements.begin(), outline.statements.end(),
                        [](const Statement& s) { return s.kind == StatementKind::ParallelReturn; });
        if (parallel && is_element)
            throw EvalError("an element of a parallel script cannot be parallel itself");
        if (parallel)
            run_parallel(outline, evaluation);
        else
            run_statements(outline, evaluation);
        evaluation.ok = evaluation.mesh != nullptr;
        if (!evaluation.ok) evaluation.error = "no return statement was reached";
    } catch (const EvalError& error) {
        evaluation.error = error.what();
        evaluation.mesh.reset();
    }
    return evaluation;
}

} // namespace

Evaluation evaluate_script(const std::string& logic)
{
    return evaluate_logic(logic, false);
}

bool is_assembly_fault(const std::string& name)
{
    return std::find(std::begin(kAssemblyFaults), std::end(kAssemblyFaults), name) !=
           std::end(kAssemblyFaults);
}
